#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "core/search/attempt_observer.h"

namespace qrv::cli {

// What `find` prints about each attempt besides the status lines: with --all,
// a line "Match at X,Y" per matching position; with --json, one JSON object
// per attempt in place of the status lines.
class AttemptPrinter : public AttemptObserver {
  public:
    AttemptPrinter(bool json, bool all, std::size_t maxMatches);

    void AttemptDone(const MatchInputs& scan, bool found, Point at, uint64_t scanMs) override;

    // The JSON object of attempt n, on one line without its end.
    static std::string JsonLine(int64_t n, bool found, Point at, uint64_t scanMs,
                                const std::vector<Point>* matches);

  private:
    bool m_json;
    bool m_all;
    std::size_t m_maxMatches;
    int64_t m_nAttempts = 0;
};

}  // namespace qrv::cli
