#include "automation/control_tree_reader.h"

#include "automation/element_finder.h"

namespace qrv {

namespace {

constexpr const char* kAddressBarName = "Address and search bar";

}  // namespace

std::vector<ControlRow> WalkControls(const ElementPtr& window, bool onlyClickables) {
    std::vector<ControlRow> rows;
    WalkTree(window, [&](AutomationElement& element) {
        std::string name = element.Name();
        if (name.empty() || (onlyClickables && !element.IsInvokable())) {
            return;
        }
        rows.push_back({std::to_string(rows.size() + 1), std::move(name), element.Value(),
                        element.CanSetValue() ? "Yes" : ""});
    });
    return rows;
}

std::string GetEditFieldsText(const ElementPtr& window) {
    std::string text;
    WalkTree(window, [&](AutomationElement& element) {
        if (&element == window.get() || element.Kind() != ElementKind::Edit) {
            return;
        }
        const std::string value = element.Value();
        if (!value.empty()) {
            text += value + ",";
        }
        const std::string name = element.Name();
        if (name == kAddressBarName) {
            text = value;
        } else if (!name.empty()) {
            text += name + ",";
        }
    });
    return text;
}

}  // namespace qrv
