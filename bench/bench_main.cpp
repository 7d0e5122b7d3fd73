#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "ratio_checks.h"

namespace qrv::bench {
namespace {

struct RatioCheck {
    std::string label, numerator, denominator;
    double limit;
    bool atLeast;
};
struct TimeTarget {
    std::string label, benchmark;
    double maxMs;
};

std::vector<RatioCheck>& Ratios() {
    static std::vector<RatioCheck> v;
    return v;
}
std::vector<TimeTarget>& Targets() {
    static std::vector<TimeTarget> v;
    return v;
}
int& Mismatches() {
    static int n = 0;
    return n;
}

// Keeps the real time per iteration (ms) of every benchmark run.
class CollectingReporter : public benchmark::ConsoleReporter {
  public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.error_occurred || run.run_type != Run::RT_Iteration || run.iterations == 0) {
                continue;
            }
            // The adjusted time is in the run's unit; the multiplier is units per second.
            m_ms[run.benchmark_name()] =
                run.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(run.time_unit) * 1e3;
        }
    }
    const double* Find(const std::string& name) const {
        auto it = m_ms.find(name);
        return it == m_ms.end() ? nullptr : &it->second;
    }

  private:
    std::map<std::string, double> m_ms;
};

int Report(const CollectingReporter& rep) {
    int failures = Mismatches();
    for (const RatioCheck& c : Ratios()) {
        const double* n = rep.Find(c.numerator);
        const double* d = rep.Find(c.denominator);
        if (!n || !d || *d <= 0) {
            std::printf("RATIO %s: not measured\n", c.label.c_str());
            continue;
        }
        double r = *n / *d;
        bool ok = c.atLeast ? r >= c.limit : r <= c.limit;
        failures += ok ? 0 : 1;
        std::printf("RATIO %s: %.3f ms / %.3f ms = %.2f (limit %s %.2f) %s\n", c.label.c_str(), *n,
                    *d, r, c.atLeast ? ">=" : "<=", c.limit, ok ? "OK" : "FAIL");
    }
    for (const TimeTarget& t : Targets()) {
        const double* ms = rep.Find(t.benchmark);
        if (!ms) {
            std::printf("TARGET %s: not measured\n", t.label.c_str());
            continue;
        }
        bool ok = *ms <= t.maxMs;
        failures += ok ? 0 : 1;
        std::printf("TARGET %s: %.3f ms (limit <= %.1f ms) %s\n", t.label.c_str(), *ms, t.maxMs,
                    ok ? "OK" : "FAIL");
    }
    return failures == 0 ? 0 : 1;
}

}  // namespace

void AddRatioCheck(std::string label, std::string numerator, std::string denominator, double limit,
                   bool atLeast) {
    Ratios().push_back(
        {std::move(label), std::move(numerator), std::move(denominator), limit, atLeast});
}

void AddTimeTarget(std::string label, std::string benchmark, double maxMs) {
    Targets().push_back({std::move(label), std::move(benchmark), maxMs});
}

void ReportMismatch(const std::string& what) {
    std::fprintf(stderr, "MISMATCH %s\n", what.c_str());
    ++Mismatches();
}

}  // namespace qrv::bench

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    qrv::bench::CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return qrv::bench::Report(reporter);
}
