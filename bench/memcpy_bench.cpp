// The reference for screen capture: copying the bytes of a screen area of the
// same size, which no capture can beat. Each backend's capture benchmark is
// judged against it.

#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstring>
#include <vector>

namespace qrv::bench {
namespace {

void Memcpy(benchmark::State& state, int32_t width, int32_t height) {
    std::vector<uint8_t> from(std::size_t(width) * std::size_t(height) * 4, 0x5A);
    std::vector<uint8_t> to(from.size());
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), from.size());
        benchmark::DoNotOptimize(to.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(from.size()));
}

[[maybe_unused]] const bool kRegistered = [] {
    benchmark::RegisterBenchmark("BM_Memcpy/720", Memcpy, 1280, 720)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_Memcpy/1080", Memcpy, 1920, 1080)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("BM_Memcpy/4k", Memcpy, 3840, 2160)->Unit(benchmark::kMillisecond);
    return true;
}();

}  // namespace
}  // namespace qrv::bench
