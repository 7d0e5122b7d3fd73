#include <emmintrin.h>

#include "core/search/picture_matcher_scan.h"

namespace qrv::matcher {

namespace {

// Four pixels per step; SSE2 is part of every x86-64 processor.
struct Sse2Lanes {
    using Reg = __m128i;
    static constexpr int32_t kLanes = 4;
    static constexpr uint32_t kAll = 0xF;

    static Reg Load(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const Reg*>(p)); }
    static Reg Splat(uint32_t v) { return _mm_set1_epi32(int32_t(v)); }
    static Reg Lo(Reg p, Reg t) { return _mm_subs_epu8(p, t); }
    static Reg Hi(Reg p, Reg t) { return _mm_adds_epu8(p, t); }
    static uint32_t InRange(Reg a, Reg lo, Reg hi) {
        const Reg clamped = _mm_min_epu8(_mm_max_epu8(a, lo), hi);
        return uint32_t(_mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(clamped, a))));
    }
};

}  // namespace

const Kernel kSse2Kernel = {&ScanKernel<Sse2Lanes>::ScanRow, &ScanKernel<Sse2Lanes>::TestCandidate};

}  // namespace qrv::matcher
