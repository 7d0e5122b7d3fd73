#include "platform/win32/win32_taskbar_progress.h"

#include <windows.h>

#include <shobjidl.h>

#include <utility>

namespace qrv::win32 {
namespace {

BOOL CALLBACK FindOwnWindow(HWND window, LPARAM found) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid != GetCurrentProcessId() || !IsWindowVisible(window) ||
        GetWindow(window, GW_OWNER) != nullptr) {
        return TRUE;
    }
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

HWND MainWindow() {
    HWND found = nullptr;
    EnumWindows(&FindOwnWindow, reinterpret_cast<LPARAM>(&found));
    return found;
}

}  // namespace

Win32TaskbarProgress::Win32TaskbarProgress() = default;

ITaskbarList3* Win32TaskbarProgress::Taskbar() {
    if (m_tried) {
        return m_taskbar.Get();
    }
    m_tried = true;
    Microsoft::WRL::ComPtr<ITaskbarList3> taskbar;
    if (SUCCEEDED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_ALL,
                                   IID_PPV_ARGS(taskbar.GetAddressOf()))) &&
        SUCCEEDED(taskbar->HrInit())) {
        m_taskbar = std::move(taskbar);
    }
    return m_taskbar.Get();
}

Win32TaskbarProgress::~Win32TaskbarProgress() = default;

void Win32TaskbarProgress::SetState(TaskbarState state) {
    HWND window = MainWindow();
    if (window && Taskbar()) {
        m_taskbar->SetProgressState(
            window, state == TaskbarState::Indeterminate ? TBPF_INDETERMINATE : TBPF_NOPROGRESS);
    }
}

void Win32TaskbarProgress::SetValue(uint64_t done, uint64_t total) {
    HWND window = MainWindow();
    if (window && Taskbar()) {
        m_taskbar->SetProgressValue(window, done, total);
    }
}

}  // namespace qrv::win32
