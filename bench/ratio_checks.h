#pragma once

#include <string>

namespace qrv::bench {

// Targets checked after every benchmark has run, from the real times measured
// in this process. Benchmarks not run (filtered out, skipped) are reported as
// such and do not fail the run.

// Prints "RATIO <label>: <num>/<den> = <r> (limit <op> <limit>) OK|FAIL".
// With atLeast set the ratio must be >= limit (speed-up), else <= limit.
void AddRatioCheck(std::string label, std::string numerator, std::string denominator, double limit,
                   bool atLeast = false);

// Prints "TARGET <label>: <ms> ms (limit <= <limit> ms) OK|FAIL".
void AddTimeTarget(std::string label, std::string benchmark, double maxMs);

// Call from a benchmark when its answer differs from the reference: the run
// ends with a failure status after reporting.
void ReportMismatch(const std::string& what);

}  // namespace qrv::bench
