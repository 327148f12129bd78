// Unpacking LZH bit streams straight into memory.
// Portable: no Windows headers.
#pragma once

#include "LzhTree.h"

#include <cstddef>
#include <cstdint>
#include <functional>

namespace Lzh {

// Bit input, most significant bit first, from bytes in memory and then from an optional source of
// further bytes. Past the end the input reads as zero bits; they are counted, so that a run can
// tell whether it used any.
class TBitReader {
  public:
    using TMore = std::function<bool(uint8_t&)>; // one more byte, or false at the end

    TBitReader(const uint8_t* data, size_t size, TMore more = {});
    // Whether the bits taken so far reach past the end of the input.
    bool Overrun() const { return FState.Count < FState.Padding; }
    // How many input bytes the bits taken so far came from.
    size_t BytesUsed() const;

  private:
    friend class TDecoder;
    struct TState {
        uint64_t Bits = 0;   // the next bits, left-aligned; Count of them are valid
        int Count = 0;       // valid bits, the zero bits past the end included
        int64_t Padding = 0; // zero bits added past the end so far
        const uint8_t* At = nullptr;
        const uint8_t* End = nullptr;
    };
    // Tops the state up to at least 57 valid bits.
    void Refill();

    TState FState;
    const uint8_t* FBegin;
    size_t FMoreBytes = 0;
    TMore FMore;
};

// Decodes into memory; the bytes before the write position are the match window. Before `base`
// the window is taken to hold what the ring starts with: N - F spaces, zeros before them. A text
// decoded straight into its own buffer passes its start; a decoder that keeps the window in
// memory of its own passes the start of that memory, filled by InitWindow.
class TDecoder {
  public:
    static constexpr size_t kSlack = 64; // match copies may write this far past their limit

    // Starts a fresh tree.
    TDecoder(TTree& tree, TBitReader& in, const uint8_t* base);
    // N bytes as the ring starts.
    static void InitWindow(uint8_t* window);
    // Decodes from at until the write position reaches until. A match may run on to limit and
    // is cut there. Returns the write position; with stopAtEnd it may stop early once the input is
    // used up.
    uint8_t* Decode(uint8_t* at, uint8_t* until, uint8_t* limit, bool stopAtEnd);

  private:
    int DecodeChar(TBitReader::TState& s);
    static int DecodePosition(TBitReader::TState& s);
    void Refill(TBitReader::TState& s);
    void CopyFromRingStart(uint8_t* to, const uint8_t* from, int len) const;

    TTree& FTree;
    TBitReader& FIn;
    const uint8_t* FBase;
};

struct TUnpackResult {
    bool Complete = false; // false when the packed bytes ran out first
    size_t PackedUsed = 0;
};

// Unpacks size bytes (size > 0) from packed[0 .. packedSize) into out, which has room for kSlack
// bytes more.
TUnpackResult Unpack(const uint8_t* packed, size_t packedSize, uint8_t* out, int32_t size);

} // namespace Lzh
