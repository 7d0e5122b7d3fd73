#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qrv {

// The action that clicks an element, as a click would invoke it: only push
// and toggle buttons, menu items and links are clicked, by a press-or-click
// action ("toggle" only on a toggle button). Text fields, sliders, check boxes
// and the like are never clicked, whatever they offer ("activate" on a text
// entry submits its form). `role` is the toolkit's untranslated role name
// ("push button"), action names compare case-insensitively. The index of the
// preferred action, or nothing.
std::optional<size_t> ClickActionIndex(std::string_view role,
                                       const std::vector<std::string>& actions);

}  // namespace qrv
