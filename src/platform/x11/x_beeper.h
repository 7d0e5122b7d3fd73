#pragma once

#include <memory>
#include <string>

#include "search/beeper.h"

namespace qrv {

class XDisplay;

// Rings the X keyboard bell; every kind of beep sounds the same.
class XBeeper : public Beeper {
  public:
    explicit XBeeper(const std::string& displayName = {});
    ~XBeeper() override;

    bool Connected() const { return m_pDisplay != nullptr; }
    void Beep(BeepKind kind) override;

  private:
    std::unique_ptr<XDisplay> m_pDisplay;
};

}  // namespace qrv
