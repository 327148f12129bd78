// Unpacking and packing speed of the LZH coder on the default skin's unpacked archive and on random
// bytes, beside zlib's inflate of the same bytes and a memcpy of them, in the same run. Every row
// reports its best run (best_ms), the baselines' best runs (zlib_ms, memcpy_ms) and how many times
// theirs its own takes (x_zlib, x_memcpy). Each side is timed back to back, in steady state; the
// baselines are timed again around every row and the best kept. Runs are timed in thread CPU time
// and the best ones compared, because the machine is shared: time spent waiting for a core, and
// slow runs, say more about the neighbours than about the code.
#include "WinConvert.h"

#include <benchmark/benchmark.h>
#include <zlib.h>

#include <cstring>
#include <ctime>
#include <random>
#include <stdexcept>

namespace {

double ThreadSeconds() {
    timespec t;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) * 1e-9;
}

std::vector<uint8_t> DefaultSkinImage() {
    TMemoryStream archive, image;
    archive.LoadFromFile(QL_DEFAULT_SKIN_ARCHIVE);
    LZHDecompress(archive, image);
    return image.Bytes();
}

std::vector<uint8_t> Random(size_t size) {
    std::mt19937 rng(2);
    std::vector<uint8_t> v(size);
    for (auto& b : v)
        b = uint8_t(rng());
    return v;
}

const std::vector<uint8_t>& Data(int64_t kind) {
    static const std::vector<uint8_t> skin = DefaultSkinImage(), noise = Random(1024 * 1024);
    return kind == 0 ? skin : noise;
}

const char* Label(int64_t kind) {
    return kind == 0 ? "default skin 292 KB" : "random 1 MB";
}

TMemoryStream Packed(const std::vector<uint8_t>& data) {
    TMemoryStream src, dst;
    src.WriteBuffer(data.data(), int64_t(data.size()));
    LZHCompress(src, dst);
    return dst;
}

std::vector<uint8_t> Deflate(const std::vector<uint8_t>& data) {
    uLongf size = compressBound(uLong(data.size()));
    std::vector<uint8_t> out(size);
    if (compress2(out.data(), &size, data.data(), uLong(data.size()), Z_DEFAULT_COMPRESSION) != Z_OK)
        throw std::runtime_error("zlib compress2 failed");
    out.resize(size);
    return out;
}

void Inflate(const std::vector<uint8_t>& deflated, std::vector<uint8_t>& out) {
    uLongf size = uLongf(out.size());
    if (uncompress(out.data(), &size, deflated.data(), uLong(deflated.size())) != Z_OK || size != out.size())
        throw std::runtime_error("zlib uncompress failed");
    benchmark::ClobberMemory();
}

template <class Step> double Seconds(Step step) {
    double t0 = ThreadSeconds();
    step();
    return ThreadSeconds() - t0;
}

// zlib's inflate and a memcpy of one input, with their best times so far.
struct TBaselines {
    const std::vector<uint8_t>& Data;
    std::vector<uint8_t> Deflated = Deflate(Data), Out = std::vector<uint8_t>(Data.size());
    double Inflate = 1e9, Memcpy = 1e9;

    void Time(int runs) {
        for (int i = 0; i < runs; i++)
            Inflate = std::min(Inflate, Seconds([&] { ::Inflate(Deflated, Out); }));
        for (int i = 0; i < runs; i++)
            Memcpy = std::min(Memcpy, Seconds([&] {
                                  std::memcpy(Out.data(), Data.data(), Data.size());
                                  benchmark::ClobberMemory();
                              }));
    }
};

TBaselines& Baselines(int64_t kind) {
    static TBaselines skin{Data(0)}, noise{Data(1)};
    return kind == 0 ? skin : noise;
}

// Runs `step` once per iteration and reports MB/s of unpacked bytes and the best runs.
template <class Step> void Measure(benchmark::State& state, Step step) {
    int64_t kind = state.range(0);
    TBaselines& base = Baselines(kind);
    base.Time(500);
    double best = 1e9;
    for (auto _ : state)
        best = std::min(best, Seconds(step));
    base.Time(500);
    state.counters["best_ms"] = best * 1e3;
    state.counters["zlib_ms"] = base.Inflate * 1e3;
    state.counters["memcpy_ms"] = base.Memcpy * 1e3;
    state.counters["x_zlib"] = best / base.Inflate;
    state.counters["x_memcpy"] = best / base.Memcpy;
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(Data(kind).size()));
    state.SetLabel(Label(kind));
}

void BM_Unpack(benchmark::State& state) {
    const auto& data = Data(state.range(0));
    TMemoryStream packed = Packed(data);
    state.counters["ratio"] = double(packed.Size()) / double(data.size());
    // Into the same stream each time, as zlib inflates into the same buffer: a fresh one would
    // time the page faults of its memory as much as the unpacking.
    TMemoryStream out;
    Measure(state, [&] {
        LZHDecompress(packed, out);
        benchmark::DoNotOptimize(out.Memory());
    });
}

void BM_Pack(benchmark::State& state) {
    const auto& data = Data(state.range(0));
    TMemoryStream src;
    src.WriteBuffer(data.data(), int64_t(data.size()));
    Measure(state, [&] {
        TMemoryStream out;
        LZHCompress(src, out);
        benchmark::DoNotOptimize(out.Memory());
    });
}

} // namespace

BENCHMARK(BM_Unpack)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Pack)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
