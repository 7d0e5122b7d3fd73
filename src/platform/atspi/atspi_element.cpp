#include "platform/atspi/atspi_element.h"

#include <atspi/atspi.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

#include "core/automation/click_action.h"
#include "platform/atspi/atspi_handles.h"
#include "platform/atspi/atspi_lock.h"

namespace qrv {

namespace {

// More actions than any real element has are not looked at.
constexpr gint kMaxActions = 64;

std::string TakeText(gchar* text) {
    GText owned(text);
    return owned ? std::string(owned.get()) : std::string();
}

// The index of the action that clicks the element, or -1.
int ClickAction(AtspiAccessible* accessible) {
    GRef<AtspiAction> action(atspi_accessible_get_action_iface(accessible));
    if (!action) {
        return -1;
    }
    const std::string role =
        TakeText(atspi_role_get_name(atspi_accessible_get_role(accessible, nullptr)));
    const gint count = std::max(atspi_action_get_n_actions(action.get(), nullptr), 0);
    std::vector<std::string> names;
    for (gint i = 0; i < count && i < kMaxActions; ++i) {
        names.push_back(TakeText(atspi_action_get_name(action.get(), i, nullptr)));
    }
    const std::optional<size_t> index = ClickActionIndex(role, names);
    return index ? static_cast<int>(*index) : -1;
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

AtspiElement::AtspiElement(AtspiAccessible* accessible) : m_accessible(accessible) {}

AtspiElement::~AtspiElement() {
    std::lock_guard lock(AtspiLock());
    m_accessible.reset();
}

std::string AtspiElement::Name() {
    std::lock_guard lock(AtspiLock());
    return TakeText(atspi_accessible_get_name(m_accessible.get(), nullptr));
}

std::string AtspiElement::Value() {
    std::lock_guard lock(AtspiLock());
    const AtspiRole role = atspi_accessible_get_role(m_accessible.get(), nullptr);
    if (role == ATSPI_ROLE_PASSWORD_TEXT) {
        return {};
    }
    GRef<AtspiEditableText> editable(atspi_accessible_get_editable_text_iface(m_accessible.get()));
    if (editable || IsTextRole(role)) {
        if (GRef<AtspiText> text{atspi_accessible_get_text_iface(m_accessible.get())}) {
            const gint length = atspi_text_get_character_count(text.get(), nullptr);
            return TakeText(atspi_text_get_text(text.get(), 0, length, nullptr));
        }
    }
    GRef<AtspiValue> value(atspi_accessible_get_value_iface(m_accessible.get()));
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
    const GRef<AtspiStateSet> states = States(m_accessible.get());
    return HasState(states.get(), ATSPI_STATE_ENABLED) &&
           HasState(states.get(), ATSPI_STATE_EDITABLE) &&
           !HasState(states.get(), ATSPI_STATE_READ_ONLY);
}

ElementKind AtspiElement::Kind() {
    std::lock_guard lock(AtspiLock());
    const AtspiRole role = atspi_accessible_get_role(m_accessible.get(), nullptr);
    if (role == ATSPI_ROLE_ENTRY || role == ATSPI_ROLE_PASSWORD_TEXT) {
        return ElementKind::Edit;
    }
    if (role == ATSPI_ROLE_TEXT &&
        HasState(States(m_accessible.get()).get(), ATSPI_STATE_EDITABLE)) {
        return ElementKind::Edit;
    }
    return ElementKind::Other;
}

bool AtspiElement::IsInvokable() {
    std::lock_guard lock(AtspiLock());
    return ClickAction(m_accessible.get()) >= 0;
}

int64_t AtspiElement::ProcessId() {
    std::lock_guard lock(AtspiLock());
    return atspi_accessible_get_process_id(m_accessible.get(), nullptr);
}

std::vector<ElementPtr> AtspiElement::Children(size_t limit) {
    std::lock_guard lock(AtspiLock());
    std::vector<ElementPtr> children;
    const auto count = static_cast<size_t>(
        std::max(atspi_accessible_get_child_count(m_accessible.get(), nullptr), 0));
    for (size_t i = 0; i < std::min(count, limit); ++i) {
        if (AtspiAccessible* child =
                atspi_accessible_get_child_at_index(m_accessible.get(), gint(i), nullptr)) {
            children.push_back(std::make_shared<AtspiElement>(child));
        }
    }
    return children;
}

bool AtspiElement::ManagesDescendants() {
    std::lock_guard lock(AtspiLock());
    return HasState(States(m_accessible.get()).get(), ATSPI_STATE_MANAGES_DESCENDANTS);
}

std::optional<Rect> AtspiElement::ScreenBounds() {
    std::lock_guard lock(AtspiLock());
    GRef<AtspiComponent> component(atspi_accessible_get_component_iface(m_accessible.get()));
    if (!component) {
        return std::nullopt;
    }
    const GOwned<AtspiRect> extents(
        atspi_component_get_extents(component.get(), ATSPI_COORD_TYPE_SCREEN, nullptr));
    if (!extents || extents->width <= 0 || extents->height <= 0) {
        return std::nullopt;
    }
    const int64_t right = int64_t(extents->x) + extents->width;
    const int64_t bottom = int64_t(extents->y) + extents->height;
    if (right > INT32_MAX || bottom > INT32_MAX) {
        return std::nullopt;
    }
    return Rect{extents->x, extents->y, int32_t(right), int32_t(bottom)};
}

bool AtspiElement::Invoke() {
    std::lock_guard lock(AtspiLock());
    const int index = ClickAction(m_accessible.get());
    if (index < 0) {
        return false;
    }
    GRef<AtspiAction> action(atspi_accessible_get_action_iface(m_accessible.get()));
    return action && atspi_action_do_action(action.get(), index, nullptr);
}

bool AtspiElement::Focus() {
    std::lock_guard lock(AtspiLock());
    GRef<AtspiComponent> component(atspi_accessible_get_component_iface(m_accessible.get()));
    return component && atspi_component_grab_focus(component.get(), nullptr);
}

}  // namespace qrv
