// Packed streams worked out by hand from the coder's rules, so that a mistake made alike in the
// packer and the unpacker cannot hide behind a round trip.
#include "SkinTestUtil.h"
#include "WinConvert.h"

#include <gtest/gtest.h>

namespace {

std::vector<uint8_t> Stored(int32_t size, const std::vector<uint8_t>& stream) {
    std::vector<uint8_t> v = Le32(size);
    v.insert(v.end(), stream.begin(), stream.end());
    return v;
}

// The bit stream after the size, most significant bit first, as '0' and '1'.
std::string BitsOf(const std::vector<uint8_t>& stored) {
    std::string bits;
    for (size_t i = 4; i < stored.size(); i++)
        for (int b = 7; b >= 0; b--)
            bits += char('0' + (stored[i] >> b & 1));
    return bits;
}

std::vector<uint8_t> BytesOfBits(const std::string& bits) {
    std::vector<uint8_t> v((bits.size() + 7) / 8);
    for (size_t i = 0; i < bits.size(); i++)
        if (bits[i] == '1') v[i / 8] |= uint8_t(0x80 >> (i % 8));
    return v;
}

void ExpectBothWays(const std::string& text, const std::vector<uint8_t>& stream) {
    std::vector<uint8_t> stored = Stored(int32_t(text.size()), stream);
    EXPECT_EQ(Pack(Bytes(text)), stored) << '"' << text << '"';
    EXPECT_EQ(Unpack(stored), Bytes(text)) << '"' << text << '"';
}

// In a long run of one byte every symbol after the first few hundred is the 60-byte match at
// distance 0: its leaf outweighs all the others together, so it is the root's heavier son (code 1),
// followed by position code 000 and the six low bits 000000.
const std::string kRunMatch = "1000000000";

// The end of the last symbol: the stream ends in a whole run match plus fewer than 8 padding zeros.
size_t EndOfRunMatches(const std::string& bits) {
    size_t end = bits.rfind('1') + kRunMatch.size();
    EXPECT_LE(end, bits.size());
    EXPECT_LT(bits.size() - end, 8u);
    return end;
}

} // namespace

// A fresh tree: leaf c sits at node c, node 314 + m has the sons 2m and 2m + 1, so node x hangs
// under 314 + x/2 and is reached by bit x & 1. Weights: leaves 1, nodes 314..470 2, 471..548 4,
// 549 6, 550..587 8, 588 10, 589..607 16, 608 26, 609..617 32, 618 58, 619..622 64, 623 122,
// 624 128, 625 186, root 626 314.
//  'a' (97): nodes 97 362 495 561 594 611 619 623 625, bits 1 0 1 1 0 1 1 1 1, root first 111101101.
//    Its update: weight 2 passes node 98, so leaf 'a' swaps with node 313 (the last of weight 1).
//  'a' again from node 313: 313 470 549 588 608 618 623 625, root first 11000101.
//    Its update: weight 3 passes node 314, so it swaps with node 469 (the last of weight 2).
//  'a' a third time from node 469: 469 548 588 608 618 623 625, root first 1100001.
// No match: two bytes are not more than the threshold. 24 bits: F6 E2 E1.
TEST(LzhFixedStreams, FirstSymbolsOfAFreshTree) {
    ExpectBothWays("aaa", {0xF6, 0xE2, 0xE1});
}

// 'a' as above (111101101); 'b' (98) is untouched by that update: nodes 98 363 495 561 594 611 619
// 623 625, root first 111101110. The three spaces match the space-filled window start: the nearest
// three spaces lie 5 bytes back (distance 4), length 3 (the input ends there): symbol 256, leaf at
// node 256: 256 442 535 581 604 616 622 625, root first 10001100. Position 4: upper six bits 0 are
// 000, then 000100. 35 bits: F6 FB A3 00 80.
TEST(LzhFixedStreams, MatchIntoTheSpaceFilledWindowStart) {
    ExpectBothWays("ab   ", {0xF6, 0xFB, 0xA3, 0x00, 0x80});
}

// Symbol 256 (a 3-byte match) first, from a fresh tree: its leaf path is the one above, 10001100.
// Distance 4036: upper bits 63 (code 11111111), then 000100; it starts one byte before the 4036
// spaces, where the ring holds zeros. 22 bits: 8C FF 10. The packer never sends this, but the
// unpacker has to give the same bytes whether it decodes into memory or through callbacks.
TEST(LzhFixedStreams, MatchBeforeTheSpacesReadsTheRingStart) {
    const std::vector<uint8_t> stream = {0x8C, 0xFF, 0x10}, text = {0, ' ', ' '};
    EXPECT_EQ(Unpack(Stored(3, stream)), text);
    size_t pos = 0;
    std::vector<uint8_t> out;
    TLZH lzh;
    lzh.LZHUnpack(
        3,
        [&](uint8_t* b, uint16_t n, uint16_t& a) {
            a = uint16_t(std::min<size_t>(n, stream.size() - pos));
            std::copy_n(stream.begin() + long(pos), a, b);
            pos += a;
        },
        [&](const uint8_t* b, uint16_t n, uint16_t& a) {
            out.insert(out.end(), b, b + n);
            a = n;
        });
    EXPECT_EQ(out, text);
}

// The root's weight starts at 314 and grows by one per symbol, so the 32454th match of a run (after
// its first literal) finds it at 0x8000 and rebuilds the tree with halved weights. Leaf 313 keeps
// outweighing the rest (16227 against 313), so its code stays 1 across the rebuild.
TEST(LzhFixedStreams, RunAcrossTheTreeRebuild) {
    constexpr int kMatches = 33000;
    std::string bits = BitsOf(Pack(std::vector<uint8_t>(1 + 60 * kMatches, 'a')));
    size_t end = EndOfRunMatches(bits);
    constexpr int kChecked = 32500; // from well before the rebuild (at 546 from the end) to the end
    ASSERT_GE(end, kChecked * kRunMatch.size());
    for (int k = 1; k <= kChecked; k++)
        ASSERT_EQ(bits.substr(end - k * kRunMatch.size(), kRunMatch.size()), kRunMatch)
            << k << " from the end";

    // Unpacking: a short run's stream up to its last match, then hand-made run matches past the
    // rebuild; all of it must come out as one run.
    constexpr int kShort = 1000, kAdded = 33000;
    std::string head = BitsOf(Pack(std::vector<uint8_t>(1 + 60 * kShort, 'a')));
    std::string stream = head.substr(0, EndOfRunMatches(head));
    for (int k = 0; k < kAdded; k++)
        stream += kRunMatch;
    std::vector<uint8_t> out = Unpack(Stored(1 + 60 * (kShort + kAdded), BytesOfBits(stream)));
    ASSERT_EQ(out.size(), size_t(1 + 60 * (kShort + kAdded)));
    EXPECT_EQ(std::count(out.begin(), out.end(), 'a'), std::ptrdiff_t(out.size()));
}
