#include "cli/find/attempt_printer.h"

#include <cstdio>

#include "core/search/match_lister.h"

namespace qrv::cli {

AttemptPrinter::AttemptPrinter(bool json, bool all, std::size_t maxMatches)
    : m_json(json), m_all(all), m_maxMatches(maxMatches) {}

void AttemptPrinter::AttemptDone(const MatchInputs& scan, bool found, Point at, uint64_t scanMs) {
    ++m_nAttempts;
    std::vector<Point> matches;
    if (m_all && found) {
        matches = ListMatches(scan, m_maxMatches);
    }
    if (m_json) {
        const std::string line =
            JsonLine(m_nAttempts, found, at, scanMs, m_all ? &matches : nullptr);
        std::fputs(line.c_str(), stdout);
        std::fputc('\n', stdout);
    } else {
        for (const Point& p : matches) {
            std::printf("Match at %d,%d\n", p.x, p.y);
        }
    }
    std::fflush(stdout);
}

std::string AttemptPrinter::JsonLine(int64_t n, bool found, Point at, uint64_t scanMs,
                                     const std::vector<Point>* matches) {
    std::string line =
        "{\"attempt\": " + std::to_string(n) + ", \"found\": " + (found ? "true" : "false");
    if (found) {
        line += ", \"x\": " + std::to_string(at.x) + ", \"y\": " + std::to_string(at.y);
    }
    line += ", \"ms\": " + std::to_string(scanMs);
    if (matches) {
        line += ", \"matches\": [";
        for (std::size_t i = 0; i < matches->size(); ++i) {
            line += (i == 0 ? "[" : ", [") + std::to_string((*matches)[i].x) + ", " +
                    std::to_string((*matches)[i].y) + "]";
        }
        line += "]";
    }
    return line + "}";
}

}  // namespace qrv::cli
