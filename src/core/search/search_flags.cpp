#include "search/search_flags.h"

namespace qrv {

std::atomic<int32_t> g_bAbortSearch{0};
std::atomic<int32_t> g_bClosing{0};
std::atomic<int32_t> g_bCursorOffAreaMonitor{0};

}  // namespace qrv
