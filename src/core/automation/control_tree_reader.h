#pragma once

#include <string>
#include <vector>

#include "automation/automation_element.h"
#include "automation/control_row.h"

namespace qrv {

// The rows of every named element of the window's tree, the window first,
// in walk order; with onlyClickables only invocable elements get a row.
// Unlisted elements' descendants are still walked; "Sr" counts rows.
std::vector<ControlRow> WalkControls(const ElementPtr& window, bool onlyClickables);

// The values and names of the window's edit fields as "value,name,..."; an
// edit field named "Address and search bar" replaces everything collected
// before it with its value alone.
std::string GetEditFieldsText(const ElementPtr& window);

}  // namespace qrv
