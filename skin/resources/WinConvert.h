// The LZH coder of skin archives and compressed INI files: LZSS over a 4096-byte ring buffer,
// literals and match lengths in an adaptive Huffman code, match positions in a fixed prefix code.
// Portable: no Windows headers.
#pragma once

#include "Classes.h"
#include "LzhTree.h"
#include "SysUtils.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

class ElzhException : public Exception {
    using Exception::Exception;
};

// Fills up to count bytes and reports how many were delivered (0 at the end).
using TReadProc = std::function<void(uint8_t* buffer, uint16_t count, uint16_t& actual)>;
// Consumes count bytes and reports count.
using TWriteProc = std::function<void(const uint8_t* buffer, uint16_t count, uint16_t& actual)>;

class TLZH {
  public:
    static constexpr int N = Lzh::N;
    static constexpr int F = Lzh::F;
    static constexpr int THRESHOLD = Lzh::THRESHOLD;
    static constexpr int N_CHAR = Lzh::N_CHAR;
    static constexpr int T = Lzh::T;
    static constexpr int R = Lzh::R;
    static constexpr int NIL = N;

    TStream* InStream = nullptr;
    TStream* OutStream = nullptr;

    // Packs everything read delivers; writes the bit stream only (no size in front).
    void LZHPack(int32_t& bytesPacked, const TReadProc& read, const TWriteProc& write);
    // Writes exactly textSize bytes, one byte per write call; nothing when textSize <= 0. Input
    // that runs out reads as zero bits.
    void LZHUnpack(int32_t textSize, const TReadProc& read, const TWriteProc& write);

    // Adapters over InStream / OutStream, and callables bound to them.
    void GetBlockStream(uint8_t* buffer, uint16_t count, uint16_t& actual);
    void PutBlockStream(const uint8_t* buffer, uint16_t count, uint16_t& actual);
    TReadProc StreamReader();
    TWriteProc StreamWriter();

    uint16_t code = 0;
    int16_t len = 0;

  private:
    void InitLZH(bool packing);
    void EndLZH();
    void InitTree();
    void InsertNode(int r);
    void DeleteNode(int p);
    void Putcode(int l, uint16_t c);
    void EncodeChar(unsigned c);
    void EncodePosition(unsigned c);
    void EncodeEnd();
    void EmitByte(uint8_t b);
    bool ReadPackInput(uint8_t& b);
    void AdvanceWindow(int& s, int& r, int& lenLeft, int count);
    void PackBody();
    void UnpackBody(int32_t textSize);
    // InitLZH, body, EndLZH; the tables are released also when the body fails.
    void Run(bool packing, const TReadProc& read, const TWriteProc& write, const std::function<void()>& body);

    const TReadProc* FRead = nullptr;
    const TWriteProc* FWrite = nullptr;
    std::vector<uint8_t> FInBuf; // LZHPack reads its input in blocks
    size_t FInPos = 0;
    bool FInEnd = false;

    uint8_t putlen = 0;
    uint16_t putbuf = 0;
    int32_t textsize = 0;
    int32_t codesize = 0;
    int16_t match_position = 0;
    int16_t match_length = 0;

    std::vector<uint8_t> text_buf;
    std::unique_ptr<int16_t[]> lson, dad, rson;
    std::unique_ptr<Lzh::TTree> tree;
    std::vector<uint8_t> window; // LZHUnpack decodes a block at a time behind the match window
};

// The compressed layer as stored: int32 uncompressed size, then the bit stream.
// LZHCompress rewinds both streams and writes Source's size and packed bytes to Dest.
void LZHCompress(TStream& Source, TStream& Dest);
// Rewinds both streams and unpacks; Source is left after the packed bytes that were used. A memory
// stream Dest holds exactly the unpacked bytes afterwards. Raises ElzhException "LZH : Packed data
// too short for N bytes" when the packed bytes end before the announced size (nothing is written
// then, and a memory stream is left empty), EReadError when the size is missing.
void LZHDecompress(TStream& Source, TStream& Dest);
// The most bytes a packed stream of packedBytes can honestly announce; larger sizes are refused
// before anything is unpacked.
int64_t LZHMaxUnpackedSize(int64_t packedBytes);
