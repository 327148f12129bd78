// Unpacking LZH bit streams straight into memory.
// Portable: no Windows headers.
#pragma once

#include "LzhTree.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

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

// Decodes into a buffer whose N bytes before the write position hold the match window.
class TDecoder {
  public:
    static constexpr size_t kSlack = 8; // match copies may write this far past their limit

    // Starts a fresh tree.
    TDecoder(TTree& tree, TBitReader& in);
    // The N bytes before the first output byte as the ring starts: zeros, then N - F spaces.
    static void InitWindow(uint8_t* window);
    // Decodes from at until the write position reaches until. A match may run on to limit and
    // is cut there. Returns the write position; with stopAtEnd it may stop early once the input is
    // used up.
    uint8_t* Decode(uint8_t* at, uint8_t* until, uint8_t* limit, bool stopAtEnd);

  private:
    int DecodeChar(TBitReader::TState& s);
    static int DecodePosition(TBitReader::TState& s);
    void Refill(TBitReader::TState& s);

    TTree& FTree;
    TBitReader& FIn;
};

// A whole unpacked text, with the window in front of it.
struct TUnpacked {
    std::vector<uint8_t> Buffer;
    bool Complete = false; // false when the packed bytes ran out first
    size_t PackedUsed = 0;
    const uint8_t* Text() const { return Buffer.data() + N; }
};

// Unpacks size bytes (size > 0) from packed[0 .. packedSize).
TUnpacked Unpack(const uint8_t* packed, size_t packedSize, int32_t size);

} // namespace Lzh
