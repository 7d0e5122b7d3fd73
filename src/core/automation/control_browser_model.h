#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/automation/control_row.h"
#include "core/automation/element_choice.h"
#include "core/desktop/automation_element.h"

namespace qrv {

// The control browser's state below its widgets: the chosen window's element,
// the control list, the window-name and edit-texts fields, and the actions on
// a selected row.
class ControlBrowserModel {
  public:
    bool OnlyClickables() const { return m_onlyClickables; }
    void SetOnlyClickables(bool on);

    // Holds the element and fills the list; a null element (the window's
    // element could not be had) keeps the rows and fields but holds nothing.
    void ChooseWindow(ElementPtr windowElement);
    const ElementPtr& WindowElement() const { return m_windowElement; }

    // Empties the list; without an element that is all, else reads the edit
    // texts, the window's name and the rows anew.
    void FillControlList();
    // Empties the list and both fields, keeping the element.
    void ClearControlList();

    const std::vector<ControlRow>& Rows() const { return m_rows; }
    const std::string& WindowNameField() const { return m_windowName; }
    void SetWindowNameField(std::string text) { m_windowName = std::move(text); }
    const std::string& EditFieldsText() const { return m_editFields; }

    // The message that stops a row action, or empty when it may go on.
    std::string SelectionProblem(bool windowChosen, std::optional<size_t> selectedRow) const;
    // Act on the first element below the window with the row's name and value.
    bool ClickRow(size_t row);
    bool FocusRow(size_t row);
    // "Name : %s\n\nValue : %s." for the row.
    std::string DetailsText(size_t row) const;
    // The window-name field with the row's name and value.
    ElementChoice ChoiceForRow(size_t row) const;

  private:
    ElementPtr FindRowElement(size_t row) const;

    ElementPtr m_windowElement;
    std::vector<ControlRow> m_rows;
    std::string m_windowName;
    std::string m_editFields;
    bool m_onlyClickables = true;
};

}  // namespace qrv
