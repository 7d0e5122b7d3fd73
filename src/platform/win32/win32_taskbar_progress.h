#pragma once

#include <shobjidl.h>
#include <wrl/client.h>

#include "core/desktop/taskbar_progress.h"

namespace qrv::win32 {

// ITaskbarList3 progress on this process's main window: its first visible,
// unowned top-level window. Used on the GUI thread, whose COM apartment the
// taskbar object is made in on first use; does nothing where the shell has
// none.
class Win32TaskbarProgress : public TaskbarProgress {
  public:
    Win32TaskbarProgress();
    ~Win32TaskbarProgress() override;

    void SetState(TaskbarState state) override;
    void SetValue(uint64_t done, uint64_t total) override;

  private:
    ITaskbarList3* Taskbar();

    Microsoft::WRL::ComPtr<ITaskbarList3> m_taskbar;
    bool m_tried = false;
};

}  // namespace qrv::win32
