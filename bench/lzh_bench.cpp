// Unpacking and packing speed of the LZH coder, in MB/s of unpacked bytes, beside a memcpy of the
// same bytes measured in the same run.
#include "WinConvert.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstring>
#include <random>

namespace {

// Skin-like bytes: image strips with flat faces, borders and gradients, then INI text.
std::vector<uint8_t> SkinLike(size_t size) {
    std::vector<uint8_t> v;
    std::mt19937 rng(1);
    while (v.size() < size) {
        int w = 40 + int(rng() % 200), h = 16 + int(rng() % 24);
        uint8_t face = uint8_t(rng());
        for (int y = 0; y < h; y++) {
            for (int x = 0; x < w; x++) {
                bool border = x == 0 || y == 0 || x == w - 1 || y == h - 1;
                uint8_t shade = border ? 0x40 : uint8_t(face + (y * 96) / h);
                uint8_t px[3] = {shade, uint8_t(shade / 2 + x % 3), uint8_t(face ^ (x > w / 2))};
                v.insert(v.end(), px, px + 3);
            }
        }
        std::string ini = "[Button" + std::to_string(v.size() % 97) +
                          "]\r\nImage=button.bmp\r\nTrans=1\r\n"
                          "Margins=4,4,4,4\r\nFontColor=0x00" +
                          std::to_string(rng() % 1000000) + "\r\n";
        v.insert(v.end(), ini.begin(), ini.end());
    }
    v.resize(size);
    return v;
}

std::vector<uint8_t> Random(size_t size) {
    std::mt19937 rng(2);
    std::vector<uint8_t> v(size);
    for (auto& b : v)
        b = uint8_t(rng());
    return v;
}

const std::vector<uint8_t>& Data(int kind) {
    static const std::vector<uint8_t> skin = SkinLike(300 * 1024), noise = Random(1024 * 1024);
    return kind == 0 ? skin : noise;
}

TMemoryStream Packed(const std::vector<uint8_t>& data) {
    TMemoryStream src, dst;
    src.WriteBuffer(data.data(), int64_t(data.size()));
    LZHCompress(src, dst);
    return dst;
}

using Clock = std::chrono::steady_clock;

// The best of a few memcpy runs of the same bytes, in seconds.
double MemcpySeconds(const std::vector<uint8_t>& data) {
    std::vector<uint8_t> out(data.size());
    double best = 1e9;
    for (int i = 0; i < 50; i++) {
        auto t0 = Clock::now();
        std::memcpy(out.data(), data.data(), data.size());
        benchmark::ClobberMemory();
        best = std::min(best, std::chrono::duration<double>(Clock::now() - t0).count());
    }
    return best;
}

// Runs `step` once per iteration and reports MB/s of unpacked bytes and x_memcpy: how many times a
// memcpy of the same bytes the step takes.
template <class Step> void Measure(benchmark::State& state, const std::vector<uint8_t>& data, Step step) {
    auto start = Clock::now();
    for (auto _ : state)
        step();
    double perIteration =
        std::chrono::duration<double>(Clock::now() - start).count() / double(state.iterations());
    state.counters["x_memcpy"] = perIteration / MemcpySeconds(data);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.size()));
    state.SetLabel(state.range(0) == 0 ? "skin-like 300 KB" : "random 1 MB");
}

void BM_Unpack(benchmark::State& state) {
    const auto& data = Data(int(state.range(0)));
    TMemoryStream packed = Packed(data);
    state.counters["ratio"] = double(packed.Size()) / double(data.size());
    Measure(state, data, [&] {
        TMemoryStream out;
        LZHDecompress(packed, out);
        benchmark::DoNotOptimize(out.Memory());
    });
}

void BM_Pack(benchmark::State& state) {
    const auto& data = Data(int(state.range(0)));
    TMemoryStream src;
    src.WriteBuffer(data.data(), int64_t(data.size()));
    Measure(state, data, [&] {
        TMemoryStream out;
        LZHCompress(src, out);
        benchmark::DoNotOptimize(out.Memory());
    });
}

void BM_MemcpyBaseline(benchmark::State& state) {
    const auto& data = Data(int(state.range(0)));
    std::vector<uint8_t> out(data.size());
    Measure(state, data, [&] {
        std::memcpy(out.data(), data.data(), data.size());
        benchmark::ClobberMemory();
    });
}

} // namespace

BENCHMARK(BM_Unpack)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pack)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_MemcpyBaseline)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
