#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "core/desktop/top_level_windows.h"
#include "core/desktop/window_activator.h"

struct wl_array;
struct zwlr_foreign_toplevel_handle_v1;
struct zwlr_foreign_toplevel_manager_v1;

namespace qrv {

class WaylandDisplay;

// The compositor's top-level windows through wlr-foreign-toplevel-management:
// titles and states, and activation on the seat. Window ids are handed out
// here, one per window for as long as it lives, so the window list and the
// activator share one of these. Positions and process ids are not told. Safe
// to use from several threads.
class WaylandToplevelList {
  public:
    explicit WaylandToplevelList(const std::string& displayName = {});
    ~WaylandToplevelList();
    WaylandToplevelList(const WaylandToplevelList&) = delete;
    WaylandToplevelList& operator=(const WaylandToplevelList&) = delete;

    // False without a compositor or without the window list.
    bool Connected() const { return m_manager != nullptr; }
    std::vector<TopLevelWindow> Enumerate();
    void Activate(WindowId window);
    // The id of the first open window with this application id and title; 0
    // when there is none.
    WindowId Find(const std::string& appId, const std::string& title);

  private:
    struct Toplevel {
        zwlr_foreign_toplevel_handle_v1* handle = nullptr;
        WindowId id = 0;
        std::string title;
        std::string appId;
        bool maximized = false;
        bool minimized = false;
        bool described = false;
        bool closed = false;
    };

    static void OnToplevel(void* data, zwlr_foreign_toplevel_manager_v1* manager,
                           zwlr_foreign_toplevel_handle_v1* handle);
    static void OnTitle(void* data, zwlr_foreign_toplevel_handle_v1* handle, const char* title);
    static void OnAppId(void* data, zwlr_foreign_toplevel_handle_v1* handle, const char* appId);
    static void OnState(void* data, zwlr_foreign_toplevel_handle_v1* handle, wl_array* states);
    static void OnDone(void* data, zwlr_foreign_toplevel_handle_v1* handle);
    static void OnClosed(void* data, zwlr_foreign_toplevel_handle_v1* handle);
    void DropClosed();

    std::shared_ptr<WaylandDisplay> m_display;
    zwlr_foreign_toplevel_manager_v1* m_manager = nullptr;
    std::vector<std::unique_ptr<Toplevel>> m_toplevels;
    WindowId m_nextId = 1;
    std::mutex m_mutex;
};

}  // namespace qrv
