#include "LzhDecode.h"

#include <cstring>

namespace Lzh {

namespace {

// The longest position code: 8 bits of prefix code at most, and 6 verbatim.
constexpr int kMaxPositionBits = 14;
// Bits that one symbol with its position can take; the state is topped up below this.
constexpr int kSymbolBits = TTree::kMaxDepth + kMaxPositionBits;

uint64_t LoadBigEndian64(const uint8_t* p) {
    uint64_t v = 0;
    for (int i = 0; i < 8; i++)
        v = v << 8 | p[i];
    return v;
}

// Copies a match forward; where it overlaps its own output, bytes repeat as they are written.
inline void CopyMatch(uint8_t* to, const uint8_t* from, int len) {
    ptrdiff_t back = to - from;
    if (back >= 8) {
        // Pieces of 8 never read what they write; the last one may spill past len.
        for (int k = 0; k < len; k += 8)
            std::memcpy(to + k, from + k, 8);
    } else if (back == 1) {
        std::memset(to, *from, size_t(len));
    } else {
        for (int k = 0; k < len; k++)
            to[k] = from[k];
    }
}

} // namespace

// ---- bit input ----------------------------------------------------------------------------------

TBitReader::TBitReader(const uint8_t* data, size_t size, TMore more) : FBegin(data), FMore(std::move(more)) {
    FState.At = data;
    FState.End = data + size;
}

void TBitReader::Refill() {
    while (FState.Count <= 56) {
        uint8_t b = 0;
        if (FState.At < FState.End) {
            b = *FState.At++;
        } else if (FMore && FMore(b)) {
            FMoreBytes++;
        } else {
            b = 0; // missing input reads as zero bits
            FState.Padding += 8;
        }
        FState.Bits |= uint64_t(b) << (56 - FState.Count);
        FState.Count += 8;
    }
}

size_t TBitReader::BytesUsed() const {
    size_t real = size_t(FState.At - FBegin) + FMoreBytes;
    int64_t taken = int64_t(real) * 8 + FState.Padding - FState.Count;
    return std::min(real, size_t((taken + 7) / 8));
}

// ---- decoding -----------------------------------------------------------------------------------

TDecoder::TDecoder(TTree& tree, TBitReader& in) : FTree(tree), FIn(in) {
    FTree.StartHuff();
}

void TDecoder::InitWindow(uint8_t* window) {
    std::memset(window, 0, F);
    std::memset(window + F, ' ', START);
}

// Tops s up to at least 57 valid bits: 8 bytes at once while they last, else byte by byte.
inline void TDecoder::Refill(TBitReader::TState& s) {
    if (s.End - s.At >= 8) {
        // Bytes past the ones counted are ORed in too; the next top-up ORs the same bits again.
        s.Bits |= LoadBigEndian64(s.At) >> s.Count;
        s.At += (63 - s.Count) >> 3;
        s.Count |= 56;
        return;
    }
    FIn.FState = s;
    FIn.Refill();
    s = FIn.FState;
}

// From the root, one bit per level (the right son is the next node), then count the symbol.
inline int TDecoder::DecodeChar(TBitReader::TState& s) {
    int c = FTree.son[R];
    while (c < T) {
        c = FTree.son[c + int(s.Bits >> 63)];
        s.Bits <<= 1;
        s.Count--;
    }
    c -= T;
    FTree.update(c);
    return c;
}

// The next 8 bits select the upper six bits of the distance and the length of their code; six
// verbatim bits follow the code.
inline int TDecoder::DecodePosition(TBitReader::TState& s) {
    unsigned top = unsigned(s.Bits >> 56);
    int bits = kPos.d_len[top] + 6;
    unsigned value = unsigned(s.Bits >> (64 - bits));
    s.Bits <<= bits;
    s.Count -= bits;
    return kPos.d_code[top] << 6 | (value & 0x3F);
}

uint8_t* TDecoder::Decode(uint8_t* at, uint8_t* until, uint8_t* limit, bool stopAtEnd) {
    // The bit state lives in locals here: the output stores could alias the reader's fields.
    TBitReader::TState s = FIn.FState;
    while (at < until && !(stopAtEnd && s.Count < s.Padding)) {
        if (s.Count < kSymbolBits) Refill(s);
        int c = DecodeChar(s);
        if (c < 256) {
            *at++ = uint8_t(c);
            continue;
        }
        const uint8_t* from = at - DecodePosition(s) - 1;
        int len = int(std::min<ptrdiff_t>(c - 255 + THRESHOLD, limit - at));
        CopyMatch(at, from, len);
        at += len;
    }
    FIn.FState = s;
    return at;
}

TUnpacked Unpack(const uint8_t* packed, size_t packedSize, int32_t size) {
    TUnpacked result;
    result.Buffer.resize(N + size_t(size) + TDecoder::kSlack);
    uint8_t* text = result.Buffer.data() + N;
    TDecoder::InitWindow(result.Buffer.data());
    TBitReader in(packed, packedSize);
    TTree tree;
    TDecoder decoder(tree, in);
    uint8_t* end = decoder.Decode(text, text + size, text + size, true);
    result.Complete = end == text + size && !in.Overrun();
    result.PackedUsed = in.BytesUsed();
    return result;
}

} // namespace Lzh
