#include <immintrin.h>

#include "core/search/picture_matcher_scan.h"

namespace qrv::matcher {

namespace {

// Eight pixels per step; only entered after a run-time CPU check.
struct Avx2Lanes {
    using Reg = __m256i;
    static constexpr int32_t kLanes = 8;
    static constexpr uint32_t kAll = 0xFF;

    static Reg Load(const uint8_t* p) {
        return _mm256_loadu_si256(reinterpret_cast<const Reg*>(p));
    }
    static Reg Splat(uint32_t v) { return _mm256_set1_epi32(int32_t(v)); }
    static Reg Lo(Reg p, Reg t) { return _mm256_subs_epu8(p, t); }
    static Reg Hi(Reg p, Reg t) { return _mm256_adds_epu8(p, t); }
    static uint32_t InRange(Reg a, Reg lo, Reg hi) {
        const Reg clamped = _mm256_min_epu8(_mm256_max_epu8(a, lo), hi);
        return uint32_t(_mm256_movemask_ps(_mm256_castsi256_ps(_mm256_cmpeq_epi32(clamped, a))));
    }
};

}  // namespace

const Kernel kAvx2Kernel = {&ScanKernel<Avx2Lanes>::ScanRow, &ScanKernel<Avx2Lanes>::TestCandidate};

}  // namespace qrv::matcher
