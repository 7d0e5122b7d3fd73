#pragma once

#include <cstdint>
#include <string>

#include "core/desktop/window_activator.h"
#include "core/search/status_line.h"

namespace qrv {

enum class MessageIcon { Information, Error, Exclamation };

// A key combination as the hot key control shows it: a virtual-key code
// (0 = none) and the control's modifier flags (hot_key_control).
struct HotKeyValue {
    uint32_t key = 0;
    uint32_t modifiers = 0;
    friend bool operator==(const HotKeyValue&, const HotKeyValue&) = default;
};

// The main window as the search controller sees it.
//
// Threads: SetStatusText, PostSearchProgress, PostSearchFinished and
// EndDialog are called from the search worker thread and must neither block
// on nor call back into the controller directly; everything else is called
// on the user-interface thread.
class SearchView : public StatusLine {
  public:
    // Find/Stop button text.
    virtual void SetFindButtonText(const std::string& text) = 0;
    // The window icon: the "searching" icon or the normal one.
    virtual void SetSearchingIcon(bool searching) = 0;
    // A message box owned by the main window, captioned with the program name.
    virtual void ShowMessage(const std::string& text, MessageIcon icon) = 0;
    // Takes the controls' contents into the window's fields. False when an
    // entry is invalid; the view has then already told the user.
    virtual bool TransferControlsToFields() = 0;
    // Queue a call of the controller's OnSearchProgress / OnSearchFinished on
    // the user-interface thread.
    virtual void PostSearchProgress() = 0;
    virtual void PostSearchFinished() = 0;
    // Closes the main window with the given result (the program then ends).
    virtual void EndDialog(int result) = 0;
    // Asks an open live preview to repaint its area now; nothing when none is open.
    virtual void RefreshLivePreview() = 0;
    // The main window, for the focus-switch action.
    virtual WindowId MainWindowId() = 0;
    // The hot key control.
    virtual HotKeyValue GetHotKey() = 0;
    virtual void SetHotKey(HotKeyValue value) = 0;
};

}  // namespace qrv
