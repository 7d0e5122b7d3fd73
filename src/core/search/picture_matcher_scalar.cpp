#include <cstring>

#include "core/search/picture_matcher_scan.h"

namespace qrv::matcher {

namespace {

// One pixel per step; portable to any architecture.
struct ScalarLanes {
    using Reg = uint32_t;
    static constexpr int32_t kLanes = 1;
    static constexpr uint32_t kAll = 1;

    static Reg Load(const uint8_t* p) {
        uint32_t v;
        std::memcpy(&v, p, sizeof v);
        return v;
    }
    static Reg Splat(uint32_t v) { return v; }
    static uint32_t Byte(Reg v, int i) { return (v >> (8 * i)) & 0xFF; }
    static Reg Lo(Reg p, Reg t) {
        Reg r = 0;
        for (int i = 0; i < 4; ++i) {
            const uint32_t a = Byte(p, i), b = Byte(t, i);
            r |= (a > b ? a - b : 0) << (8 * i);
        }
        return r;
    }
    static Reg Hi(Reg p, Reg t) {
        Reg r = 0;
        for (int i = 0; i < 4; ++i) {
            const uint32_t s = Byte(p, i) + Byte(t, i);
            r |= (s > 0xFF ? 0xFF : s) << (8 * i);
        }
        return r;
    }
    static uint32_t InRange(Reg a, Reg lo, Reg hi) {
        for (int i = 0; i < 4; ++i) {
            if (Byte(a, i) < Byte(lo, i) || Byte(a, i) > Byte(hi, i)) {
                return 0;
            }
        }
        return 1;
    }
};

}  // namespace

const Kernel kScalarKernel = {&ScanKernel<ScalarLanes>::ScanRow,
                              &ScanKernel<ScalarLanes>::TestCandidate};

}  // namespace qrv::matcher
