// The LZH coder of skin archives and compressed INI files: LZSS over a 4096-byte ring buffer,
// literals and match lengths in an adaptive Huffman code, match positions in a fixed prefix code.
// Portable: no Windows headers.
#pragma once

#include "Classes.h"
#include "SysUtils.h"

#include <cstdint>
#include <functional>
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
    static constexpr int N = 4096;
    static constexpr int F = 60;
    static constexpr int THRESHOLD = 2;
    static constexpr int N_CHAR = 256 - THRESHOLD + F;
    static constexpr int T = N_CHAR * 2 - 1;
    static constexpr int R = T - 1;
    static constexpr unsigned MAX_FREQ = 0x8000;
    static constexpr int NIL = N;

    TStream* InStream = nullptr;
    TStream* OutStream = nullptr;

    // Packs everything read delivers; writes the bit stream only (no size in front).
    void LZHPack(int32_t& bytesPacked, const TReadProc& read, const TWriteProc& write);
    // Writes exactly textSize bytes, one byte per write call; nothing when textSize <= 0.
    void LZHUnpack(int32_t textSize, const TReadProc& read, const TWriteProc& write);

    // Adapters over InStream / OutStream, and callables bound to them.
    void GetBlockStream(uint8_t* buffer, uint16_t count, uint16_t& actual);
    void PutBlockStream(const uint8_t* buffer, uint16_t count, uint16_t& actual);
    TReadProc StreamReader();
    TWriteProc StreamWriter();

    uint16_t code = 0;
    int16_t len = 0;

  private:
    void InitLZH();
    void EndLZH();
    void InitTree();
    void InsertNode(int r);
    void DeleteNode(int p);
    int GetBit();
    int GetByte();
    void FetchInput();
    void Putcode(int l, uint16_t c);
    void StartHuff();
    void reconst();
    void update(int c);
    void EncodeChar(unsigned c);
    void EncodePosition(unsigned c);
    void EncodeEnd();
    int DecodeChar();
    int DecodePosition();
    void EmitByte(uint8_t b);
    bool ReadPackInput(uint8_t& b);
    void AdvanceWindow(int& s, int& r, int& lenLeft, int count);
    void PackBody();
    void UnpackBody(int32_t textSize);
    // InitLZH, body, EndLZH; the tables are released also when the body fails.
    void Run(const TReadProc& read, const TWriteProc& write, const std::function<void()>& body);

    const TReadProc* FRead = nullptr;
    const TWriteProc* FWrite = nullptr;
    std::vector<uint8_t> FInBuf; // LZHPack reads its input in blocks
    size_t FInPos = 0;
    bool FInEnd = false;

    uint16_t getbuf = 0;
    uint8_t getlen = 0;
    uint8_t putlen = 0;
    uint16_t putbuf = 0;
    int32_t textsize = 0;
    int32_t codesize = 0;
    int16_t match_position = 0;
    int16_t match_length = 0;

    std::vector<uint8_t> text_buf;
    std::vector<int16_t> lson, dad, rson;
    std::vector<uint16_t> freq;
    std::vector<int16_t> prnt, son;
};

// The compressed layer as stored: int32 uncompressed size, then the bit stream.
// LZHCompress rewinds both streams and writes Source's size and packed bytes to Dest.
void LZHCompress(TStream& Source, TStream& Dest);
// Rewinds both streams and unpacks. Raises ElzhException when the announced size is one the
// packed bytes could never expand to (a broken stream), EReadError when the size is missing.
void LZHDecompress(TStream& Source, TStream& Dest);
// The most bytes a packed stream of packedBytes can honestly announce.
int64_t LZHMaxUnpackedSize(int64_t packedBytes);
