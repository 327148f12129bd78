#include "SkinTestUtil.h"
#include "WinConvert.h"

#include <gtest/gtest.h>

namespace {

// Runs of every length around F, matches at the far end of the window, and plain text.
std::vector<uint8_t> Awkward() {
    std::vector<uint8_t> v;
    for (int len = 1; len < 130; len += 7)
        v.insert(v.end(), size_t(len), uint8_t('a' + len % 26));
    auto noise = RandomBytes(4095, 7);
    v.insert(v.end(), noise.begin(), noise.end());
    v.insert(v.end(), noise.begin(), noise.begin() + 200);
    std::string text = "[Buttons]\r\nRightWidth=8\r\nImage=buttons.bmp\r\n";
    for (int i = 0; i < 200; i++)
        v.insert(v.end(), text.begin(), text.end());
    return v;
}

struct Counting {
    int reads = 0;
    std::vector<int> writeSizes;
    std::vector<uint8_t> out;
    TReadProc Reader(const std::vector<uint8_t>& in, size_t& pos) {
        return [this, &in, &pos](uint8_t* b, uint16_t n, uint16_t& a) {
            reads++;
            a = uint16_t(std::min<size_t>(n, in.size() - pos));
            std::copy_n(in.begin() + long(pos), a, b);
            pos += a;
        };
    }
    TWriteProc Writer() {
        return [this](const uint8_t* b, uint16_t n, uint16_t& a) {
            writeSizes.push_back(n);
            out.insert(out.end(), b, b + n);
            a = n;
        };
    }
};

} // namespace

TEST(Lzh, RoundTripsAnyBytes) {
    std::vector<std::vector<uint8_t>> inputs = {{},
                                                {0x41},
                                                std::vector<uint8_t>(1000, 0x20),
                                                std::vector<uint8_t>(5000, 0),
                                                RandomBytes(100000, 1),
                                                Awkward()};
    std::vector<uint8_t> all(256);
    for (int i = 0; i < 256; i++)
        all[size_t(i)] = uint8_t(i);
    inputs.push_back(all);
    // A close repeat that ends the text: its match is copied last, right against the end.
    for (int back = 1; back <= 8; back++)
        for (int tail = 3; tail <= 5; tail++) {
            std::vector<uint8_t> v;
            for (int i = 0; i < back + tail; i++)
                v.push_back(uint8_t('a' + i % back));
            inputs.push_back(v);
        }
    for (const auto& in : inputs) {
        auto packed = Pack(in);
        ASSERT_GE(packed.size(), 4u);
        EXPECT_EQ(std::vector<uint8_t>(packed.begin(), packed.begin() + 4), Le32(int32_t(in.size())));
        EXPECT_EQ(Unpack(packed), in) << "input of " << in.size() << " bytes";
    }
    EXPECT_EQ(Pack({}).size(), 4u) << "nothing to pack sends no symbol";
    EXPECT_LT(Pack(std::vector<uint8_t>(100000, 7)).size(), 100000u / 40);
}

TEST(Lzh, PackingIsAFunctionOfTheInputAlone) {
    auto in = Awkward();
    EXPECT_EQ(Pack(in), Pack(in));
    // The same bytes delivered in small pieces give the same stream.
    size_t pos = 0;
    Counting c;
    TLZH lzh;
    int32_t packed = -1;
    TReadProc dribble = [&](uint8_t* b, uint16_t n, uint16_t& a) {
        a = uint16_t(std::min<size_t>({size_t(n), 7, in.size() - pos}));
        std::copy_n(in.begin() + long(pos), a, b);
        pos += a;
    };
    lzh.LZHPack(packed, dribble, c.Writer());
    EXPECT_EQ(packed, int32_t(in.size()));
    auto whole = Pack(in);
    EXPECT_EQ(c.out, std::vector<uint8_t>(whole.begin() + 4, whole.end()));
}

TEST(Lzh, UnpackWritesOneByteAtATimeAndStopsAtTheSize) {
    auto in = Awkward();
    auto packed = Pack(in);
    std::vector<uint8_t> body(packed.begin() + 4, packed.end());
    size_t pos = 0;
    Counting c;
    TLZH lzh;
    lzh.LZHUnpack(1000, c.Reader(body, pos), c.Writer());
    EXPECT_EQ(c.writeSizes, std::vector<int>(1000, 1));
    EXPECT_EQ(c.out, std::vector<uint8_t>(in.begin(), in.begin() + 1000)) << "a match is cut at the size";
    // All of it: matches reach back across the blocks the callbacks are served in.
    Counting all;
    pos = 0;
    lzh.LZHUnpack(int32_t(in.size()), all.Reader(body, pos), all.Writer());
    EXPECT_EQ(all.out, in);

    for (int32_t size : {0, -1, INT32_MIN}) {
        Counting none;
        size_t p = 0;
        lzh.LZHUnpack(size, none.Reader(body, p), none.Writer());
        EXPECT_EQ(none.reads, 0);
        EXPECT_TRUE(none.out.empty());
    }
}

TEST(Lzh, StoredLayerConsumesExactlyItsBytes) {
    for (const auto& in : {RandomBytes(3000, 2), Awkward(), std::vector<uint8_t>(1, 9)}) {
        TMemoryStream src = StreamOf(Pack(in)), dst;
        LZHDecompress(src, dst);
        EXPECT_EQ(src.Position(), src.Size());
    }
    // Size 0 reads nothing past the size, even with bytes following.
    auto zero = Le32(0);
    zero.push_back(0xFF);
    TMemoryStream src = StreamOf(zero), dst;
    LZHDecompress(src, dst);
    EXPECT_EQ(src.Position(), 4);
    EXPECT_EQ(dst.Size(), 0);
}

// The message both refusals of the stored layer give, with nothing written.
void ExpectTooShort(const std::vector<uint8_t>& stored, int32_t size) {
    TMemoryStream src = StreamOf(stored), dst;
    try {
        LZHDecompress(src, dst);
        ADD_FAILURE() << "unpacked " << dst.Size() << " bytes";
    } catch (const ElzhException& e) {
        EXPECT_EQ(e.Message(), "LZH : Packed data too short for " + std::to_string(size) + " bytes");
    }
    EXPECT_EQ(dst.Size(), 0);
}

TEST(Lzh, PackedDataThatEndsEarlyIsRefused) {
    auto in = Awkward();
    auto packed = Pack(in);
    for (size_t cut = 1; cut <= 8; cut++)
        ExpectTooShort(std::vector<uint8_t>(packed.begin(), packed.end() - long(cut)), int32_t(in.size()));

    // The raw run through callbacks reads missing bytes as zero bits and still writes the size.
    std::vector<uint8_t> half(packed.begin() + 4, packed.begin() + 4 + long(packed.size() / 2));
    size_t pos = 0;
    Counting c;
    TLZH lzh;
    lzh.LZHUnpack(int32_t(in.size()), c.Reader(half, pos), c.Writer());
    EXPECT_EQ(c.out.size(), in.size());
    EXPECT_EQ(std::vector<uint8_t>(c.out.begin(), c.out.begin() + 1000),
              std::vector<uint8_t>(in.begin(), in.begin() + 1000));

    EXPECT_THROW(Unpack({1, 0}), EReadError) << "no room for the size";
}

// A long run is the densest stream there is: once its match is the root's heavier son, each 60
// bytes cost 10 bits, 48 bytes per packed byte. That is the bound; one byte more is refused before
// anything is unpacked.
TEST(Lzh, AnnouncedSizeBoundIsTheDensestStream) {
    std::vector<uint8_t> run(1 << 20, 'x');
    auto packed = Pack(run);
    int64_t bytes = int64_t(packed.size()) - 4;
    EXPECT_EQ(LZHMaxUnpackedSize(bytes), 48 * bytes);
    EXPECT_GT(int64_t(run.size()), 47 * bytes) << "a run comes close to the bound";
    EXPECT_EQ(Unpack(packed), run);

    int32_t beyond = int32_t(LZHMaxUnpackedSize(bytes) + 1);
    auto forged = Le32(beyond);
    forged.insert(forged.end(), packed.begin() + 4, packed.end());
    ExpectTooShort(forged, beyond);
    forged = Le32(INT32_MAX);
    forged.resize(24, 0x55);
    ExpectTooShort(forged, INT32_MAX);
    EXPECT_EQ(LZHMaxUnpackedSize(-4), 0);
}

TEST(Lzh, FailedRunsReleaseAndPropagate) {
    TLZH lzh;
    TMemoryStream src = StreamOf(Pack(RandomBytes(5000, 4)));
    src.SetPosition(4);
    lzh.InStream = &src;
    TWriteProc failing = [](const uint8_t*, uint16_t, uint16_t&) { throw EWriteError("Stream write error"); };
    EXPECT_THROW(lzh.LZHUnpack(5000, lzh.StreamReader(), failing), EWriteError);

    // The same object runs again from a clean state.
    TMemoryStream out;
    src.SetPosition(4);
    lzh.OutStream = &out;
    lzh.LZHUnpack(5000, lzh.StreamReader(), lzh.StreamWriter());
    EXPECT_EQ(out.Bytes(), RandomBytes(5000, 4));

    // The read adapter hands out what remains, then nothing.
    uint8_t buf[8];
    uint16_t actual = 99;
    src.SetPosition(src.Size() - 3);
    lzh.GetBlockStream(buf, 8, actual);
    EXPECT_EQ(actual, 3);
    lzh.GetBlockStream(buf, 8, actual);
    EXPECT_EQ(actual, 0);
}
