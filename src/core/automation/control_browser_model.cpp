#include "core/automation/control_browser_model.h"

#include <utility>

#include "core/automation/control_browser_texts.h"
#include "core/automation/control_tree_reader.h"
#include "core/automation/element_finder.h"

namespace qrv {

void ControlBrowserModel::SetOnlyClickables(bool on) {
    m_onlyClickables = on;
    FillControlList();
}

void ControlBrowserModel::ChooseWindow(ElementPtr windowElement) {
    m_windowElement = std::move(windowElement);
    if (m_windowElement) {
        FillControlList();
    }
}

void ControlBrowserModel::FillControlList() {
    m_rows.clear();
    if (!m_windowElement) {
        return;
    }
    ControlListing listing = ReadControls(m_windowElement, m_onlyClickables);
    m_editFields = std::move(listing.editFields);
    m_windowName = m_windowElement->Name();
    m_rows = std::move(listing.rows);
}

void ControlBrowserModel::ClearControlList() {
    m_rows.clear();
    m_windowName.clear();
    m_editFields.clear();
}

std::string ControlBrowserModel::SelectionProblem(bool windowChosen,
                                                  std::optional<size_t> selectedRow) const {
    if (!windowChosen) {
        return std::string(browser_texts::kNoWindowChosen);
    }
    if (m_rows.empty()) {
        return std::string(browser_texts::kNoControlsLoaded);
    }
    if (!selectedRow || *selectedRow >= m_rows.size()) {
        return std::string(browser_texts::kNoControlSelected);
    }
    return {};
}

ElementPtr ControlBrowserModel::FindRowElement(size_t row) const {
    if (row >= m_rows.size()) {
        return nullptr;
    }
    return FindDescendant(m_windowElement, m_rows[row].name, m_rows[row].value);
}

bool ControlBrowserModel::ClickRow(size_t row) {
    const ElementPtr element = FindRowElement(row);
    return element && element->IsInvokable() && element->Invoke();
}

bool ControlBrowserModel::FocusRow(size_t row) {
    const ElementPtr element = FindRowElement(row);
    return element && element->Focus();
}

std::string ControlBrowserModel::DetailsText(size_t row) const {
    const ControlRow& r = m_rows.at(row);
    return "Name : " + r.name + "\n\nValue : " + r.value + ".";
}

ElementChoice ControlBrowserModel::ChoiceForRow(size_t row) const {
    const ControlRow& r = m_rows.at(row);
    return {m_windowName, r.name, r.value};
}

}  // namespace qrv
