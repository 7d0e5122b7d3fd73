#include "core/automation/control_tree_reader.h"

#include <optional>

#include "core/automation/element_finder.h"

namespace qrv {

namespace {

constexpr const char* kAddressBarName = "Address and search bar";

// Collects the listing one element at a time, each property read at most once.
class ListingBuilder {
  public:
    ListingBuilder(const ElementPtr& window, bool onlyClickables)
        : m_window(window), m_onlyClickables(onlyClickables) {}

    void Visit(const ElementPtr& element) {
        const std::string name = element->Name();
        std::optional<std::string> value;
        const auto valueOf = [&]() -> const std::string& {
            if (!value) {
                value = element->Value();
            }
            return *value;
        };
        if (element != m_window && element->Kind() == ElementKind::Edit) {
            AddEditField(name, valueOf());
        }
        if (!name.empty() && (!m_onlyClickables || element->IsInvokable())) {
            m_listing.rows.push_back({std::to_string(m_listing.rows.size() + 1), name, valueOf(),
                                      element->CanSetValue() ? "Yes" : ""});
        }
    }

    ControlListing Take() { return std::move(m_listing); }

  private:
    void AddEditField(const std::string& name, const std::string& value) {
        std::string& text = m_listing.editFields;
        if (!value.empty()) {
            text += value + ",";
        }
        if (name == kAddressBarName) {
            text = value;
        } else if (!name.empty()) {
            text += name + ",";
        }
    }

    const ElementPtr& m_window;
    bool m_onlyClickables;
    ControlListing m_listing;
};

}  // namespace

ControlListing ReadControls(const ElementPtr& window, bool onlyClickables) {
    ListingBuilder builder(window, onlyClickables);
    WalkTree(window, [&](const ElementPtr& element) {
        builder.Visit(element);
        return false;
    });
    return builder.Take();
}

}  // namespace qrv
