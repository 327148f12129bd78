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

uint64_t LoadLittleEndian64(const uint8_t* p) {
    uint64_t v = 0;
    for (int i = 7; i >= 0; i--)
        v = v << 8 | p[i];
    return v;
}

void StoreLittleEndian64(uint8_t* p, uint64_t v) {
    for (int i = 0; i < 8; i++)
        p[i] = uint8_t(v >> (8 * i));
}

// Every match is copied as kCopy bytes, whatever its length: the spill past its end is
// overwritten later, and no branch depends on the length.
constexpr int kCopy = 64;
static_assert(kCopy - 2 >= F && kCopy <= int(TDecoder::kSlack));

// A match closer than 8 bytes repeats its last `back` bytes: they are spread over a word once and
// the word is stored every multiple of `back` that fits in 8 (a stride of 5 to 8), without reading
// back what was just written (which would stall on every piece). The stores stay within kCopy and
// cover at least kCopy - 2 bytes.
inline void CopyRepeat(uint8_t* to, const uint8_t* from, int back) {
    uint64_t word = LoadLittleEndian64(from) & ((uint64_t(1) << (8 * back)) - 1);
    for (int filled = back; filled < 8; filled *= 2)
        word |= word << (8 * filled);
    int stride = back * (8 / back);
    for (int k = 0; k + 8 <= kCopy; k += stride)
        StoreLittleEndian64(to + k, word);
}

// Copies a match forward; where it overlaps its own output, bytes repeat as they are written.
inline void CopyMatch(uint8_t* to, const uint8_t* from) {
    ptrdiff_t back = to - from;
    if (back < 8) return CopyRepeat(to, from, int(back));
    // Pieces of 8 never read what they write.
    for (int k = 0; k < kCopy; k += 8)
        std::memcpy(to + k, from + k, 8);
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

TDecoder::TDecoder(TTree& tree, TBitReader& in, const uint8_t* base) : FTree(tree), FIn(in), FBase(base) {
    FTree.StartHuff();
}

void TDecoder::InitWindow(uint8_t* window) {
    std::memset(window, 0, F);
    std::memset(window + F, ' ', START);
}

// A match that reaches back before the text: byte by byte, the part before base from the ring's
// start. Only the first N bytes of a text can need this.
void TDecoder::CopyFromRingStart(uint8_t* to, const uint8_t* from, int len) const {
    ptrdiff_t at = from - FBase; // below 0 before the text
    for (int k = 0; k < len; k++, at++)
        to[k] = at >= 0 ? FBase[at] : at >= -START ? uint8_t(' ') : uint8_t(0);
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

// From the root, one bit per level (the right son is the next node; the table covers the first
// levels), then count the symbol.
inline int TDecoder::DecodeChar(TBitReader::TState& s) {
    const TTree::TTopSlot& e = FTree.TopSlot(unsigned(s.Bits >> (64 - TTree::kTopBits)));
    int16_t path[TTree::kMaxDepth];
    std::memcpy(path, e.Path, sizeof e.Path);
    int depth = e.Bits;
    int c = e.Son;
    s.Bits <<= depth;
    while (c < T) {
        int node = c + int(s.Bits >> 63);
        path[depth++] = int16_t(node);
        c = FTree.son[node];
        s.Bits <<= 1;
    }
    s.Count -= depth;
    c -= T;
    FTree.update(c, path, depth);
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
        int back = DecodePosition(s) + 1;
        int len = int(std::min<ptrdiff_t>(c - 255 + THRESHOLD, limit - at));
        if (at - FBase >= back)
            CopyMatch(at, at - back);
        else
            CopyFromRingStart(at, at - back, len);
        at += len;
    }
    FIn.FState = s;
    return at;
}

TUnpackResult Unpack(const uint8_t* packed, size_t packedSize, uint8_t* out, int32_t size) {
    TBitReader in(packed, packedSize);
    TTree tree;
    TDecoder decoder(tree, in, out);
    uint8_t* end = decoder.Decode(out, out + size, out + size, true);
    return {end == out + size && !in.Overrun(), in.BytesUsed()};
}

} // namespace Lzh
