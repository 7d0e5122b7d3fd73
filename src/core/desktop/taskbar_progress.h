#pragma once

#include <cstdint>

namespace qrv {

enum class TaskbarState { None = 0, Indeterminate = 1 };

// Progress shown on the program's taskbar or dock entry. Implementations do
// nothing where no dock listens.
class TaskbarProgress {
  public:
    virtual ~TaskbarProgress() = default;
    virtual void SetState(TaskbarState state) = 0;
    virtual void SetValue(uint64_t done, uint64_t total) = 0;
};

}  // namespace qrv
