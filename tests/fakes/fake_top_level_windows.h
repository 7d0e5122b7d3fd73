#pragma once

#include <mutex>
#include <vector>

#include "settings/top_level_windows.h"

namespace qrv {

// A settable list of top-level windows; counts enumerations.
class FakeTopLevelWindows : public TopLevelWindows {
  public:
    std::vector<TopLevelWindow> Enumerate() override;
    void SetWindows(std::vector<TopLevelWindow> windows);
    int Enumerations() const;

  private:
    mutable std::mutex m_mutex;
    std::vector<TopLevelWindow> m_windows;
    int m_enumerations = 0;
};

}  // namespace qrv
