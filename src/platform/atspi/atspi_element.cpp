#include "atspi/atspi_element.h"

#include <atspi/atspi.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <string_view>

#include "atspi/atspi_lock.h"

namespace qrv {

namespace {

// Owns a GLib string or object handed out by the library.
struct GFreeDeleter {
    void operator()(gchar* text) const { g_free(text); }
};
struct GUnrefDeleter {
    void operator()(void* object) const { g_object_unref(object); }
};
using GText = std::unique_ptr<gchar, GFreeDeleter>;
template <typename T>
using GRef = std::unique_ptr<T, GUnrefDeleter>;

std::string TakeText(gchar* text) {
    GText owned(text);
    return owned ? std::string(owned.get()) : std::string();
}

// Actions that do what a click would, most specific first.
constexpr std::array<std::string_view, 5> kInvokeActions = {"click", "activate", "press", "toggle",
                                                            "jump"};

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

// The index of the action that invokes the element, or -1.
int InvokeActionIndex(AtspiAccessible* accessible) {
    GRef<AtspiAction> action(atspi_accessible_get_action_iface(accessible));
    if (!action) {
        return -1;
    }
    const gint count = atspi_action_get_n_actions(action.get(), nullptr);
    int best = -1;
    size_t bestRank = kInvokeActions.size();
    for (gint i = 0; i < count; ++i) {
        const std::string name = Lowered(TakeText(atspi_action_get_name(action.get(), i, nullptr)));
        const auto found = std::find(kInvokeActions.begin(), kInvokeActions.end(), name);
        const auto rank = static_cast<size_t>(found - kInvokeActions.begin());
        if (rank < bestRank) {
            bestRank = rank;
            best = i;
        }
    }
    return best;
}

GRef<AtspiStateSet> States(AtspiAccessible* accessible) {
    return GRef<AtspiStateSet>(atspi_accessible_get_state_set(accessible));
}

bool HasState(AtspiStateSet* states, AtspiStateType state) {
    return states && atspi_state_set_contains(states, state);
}

bool IsTextRole(AtspiRole role) {
    return role == ATSPI_ROLE_ENTRY || role == ATSPI_ROLE_PASSWORD_TEXT || role == ATSPI_ROLE_TEXT;
}

std::string NumberText(double number) {
    std::array<char, 64> buffer{};
    std::snprintf(buffer.data(), buffer.size(), "%.15g", number);
    return buffer.data();
}

}  // namespace

AtspiElement::AtspiElement(AtspiAccessible* accessible) : m_pAccessible(accessible) {}

AtspiElement::~AtspiElement() {
    std::lock_guard lock(AtspiLock());
    g_object_unref(m_pAccessible);
}

std::string AtspiElement::Name() {
    std::lock_guard lock(AtspiLock());
    return TakeText(atspi_accessible_get_name(m_pAccessible, nullptr));
}

std::string AtspiElement::Value() {
    std::lock_guard lock(AtspiLock());
    GRef<AtspiEditableText> editable(atspi_accessible_get_editable_text_iface(m_pAccessible));
    if (editable || IsTextRole(atspi_accessible_get_role(m_pAccessible, nullptr))) {
        if (GRef<AtspiText> text{atspi_accessible_get_text_iface(m_pAccessible)}) {
            const gint length = atspi_text_get_character_count(text.get(), nullptr);
            return TakeText(atspi_text_get_text(text.get(), 0, length, nullptr));
        }
    }
    GRef<AtspiValue> value(atspi_accessible_get_value_iface(m_pAccessible));
    if (!value) {
        return {};
    }
    std::string text = TakeText(atspi_value_get_text(value.get(), nullptr));
    return text.empty() ? NumberText(atspi_value_get_current_value(value.get(), nullptr)) : text;
}

bool AtspiElement::CanSetValue() {
    std::lock_guard lock(AtspiLock());
    // Toolkits keep the editable-text interface on text fields made read-only
    // and clear the editable state instead.
    const GRef<AtspiStateSet> states = States(m_pAccessible);
    return HasState(states.get(), ATSPI_STATE_ENABLED) &&
           HasState(states.get(), ATSPI_STATE_EDITABLE) &&
           !HasState(states.get(), ATSPI_STATE_READ_ONLY);
}

ElementKind AtspiElement::Kind() {
    std::lock_guard lock(AtspiLock());
    const AtspiRole role = atspi_accessible_get_role(m_pAccessible, nullptr);
    if (role == ATSPI_ROLE_ENTRY || role == ATSPI_ROLE_PASSWORD_TEXT) {
        return ElementKind::Edit;
    }
    if (role == ATSPI_ROLE_TEXT && HasState(States(m_pAccessible).get(), ATSPI_STATE_EDITABLE)) {
        return ElementKind::Edit;
    }
    return ElementKind::Other;
}

bool AtspiElement::IsInvokable() {
    std::lock_guard lock(AtspiLock());
    return InvokeActionIndex(m_pAccessible) >= 0;
}

int64_t AtspiElement::ProcessId() {
    std::lock_guard lock(AtspiLock());
    return atspi_accessible_get_process_id(m_pAccessible, nullptr);
}

std::vector<ElementPtr> AtspiElement::Children() {
    std::lock_guard lock(AtspiLock());
    std::vector<ElementPtr> children;
    const gint count = atspi_accessible_get_child_count(m_pAccessible, nullptr);
    for (gint i = 0; i < count; ++i) {
        if (AtspiAccessible* child =
                atspi_accessible_get_child_at_index(m_pAccessible, i, nullptr)) {
            children.push_back(std::make_shared<AtspiElement>(child));
        }
    }
    return children;
}

bool AtspiElement::Invoke() {
    std::lock_guard lock(AtspiLock());
    const int index = InvokeActionIndex(m_pAccessible);
    if (index < 0) {
        return false;
    }
    GRef<AtspiAction> action(atspi_accessible_get_action_iface(m_pAccessible));
    return action && atspi_action_do_action(action.get(), index, nullptr);
}

bool AtspiElement::Focus() {
    std::lock_guard lock(AtspiLock());
    GRef<AtspiComponent> component(atspi_accessible_get_component_iface(m_pAccessible));
    return component && atspi_component_grab_focus(component.get(), nullptr);
}

}  // namespace qrv
