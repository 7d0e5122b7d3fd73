#pragma once

#include <string>
#include <vector>

#include "core/automation/control_row.h"
#include "core/desktop/automation_element.h"

namespace qrv {

// What one walk of a window's tree gives the control browser.
struct ControlListing {
    // Every named element, the window first, in walk order; with
    // onlyClickables only invocable ones. Unlisted elements' descendants are
    // still walked; "Sr" counts rows.
    std::vector<ControlRow> rows;
    // The values and names of the window's edit fields as "value,name,..."; an
    // edit field named "Address and search bar" replaces everything collected
    // before it with its value alone.
    std::string editFields;
};

// Reads the rows and edit-field texts in one bounded walk of the window's tree.
ControlListing ReadControls(const ElementPtr& window, bool onlyClickables);

}  // namespace qrv
