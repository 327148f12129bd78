#include "WinConvert.h"

#include "LzhDecode.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <new>

namespace {

using Lzh::kPos;

// LZHUnpack hands out its output a block at a time.
constexpr int kUnpackBlock = TLZH::N;

template <class V> void Release(V& v) {
    V().swap(v);
}

// Room behind the ring's mirror for comparing strings a word at a time.
constexpr int kCompareSlack = 8;

// The index of the first byte after key[0] where key and other differ, or F when their first F
// bytes agree; compared a word at a time.
int CommonLength(const uint8_t* key, const uint8_t* other) {
    for (int i = 1; i < TLZH::F; i += 8) {
        uint64_t a, b;
        std::memcpy(&a, key + i, 8);
        std::memcpy(&b, other + i, 8);
        if (uint64_t x = a ^ b) {
            int first =
                std::endian::native == std::endian::little ? std::countr_zero(x) : std::countl_zero(x);
            return std::min(TLZH::F, i + first / 8);
        }
    }
    return TLZH::F;
}

} // namespace

// ---- run frame -----------------------------------------------------------------------------------

// Each direction gets its own tables. The search trees' links are written before they are read
// (InitTree and InsertNode), so they start out as allocated.
void TLZH::InitLZH(bool packing) {
    try {
        tree = std::make_unique<Lzh::TTree>();
        if (packing) {
            text_buf.assign(N + F - 1 + kCompareSlack, 0);
            lson = std::make_unique_for_overwrite<int16_t[]>(N + 1);
            dad = std::make_unique_for_overwrite<int16_t[]>(N + 1);
            rson = std::make_unique_for_overwrite<int16_t[]>(N + 257);
        } else {
            window.assign(N + kUnpackBlock + F + Lzh::TDecoder::kSlack, 0);
        }
    } catch (const std::bad_alloc&) {
        EndLZH();
        throw ElzhException("LZH : Cannot get memory for dictionary tables");
    }
    putbuf = 0;
    putlen = 0;
    textsize = codesize = 0;
    match_position = match_length = 0;
    code = 0;
    len = 0;
}

void TLZH::EndLZH() {
    Release(text_buf);
    lson.reset();
    dad.reset();
    rson.reset();
    tree.reset();
    Release(window);
    Release(FInBuf);
    FRead = nullptr;
    FWrite = nullptr;
}

void TLZH::Run(bool packing, const TReadProc& read, const TWriteProc& write,
               const std::function<void()>& body) {
    InitLZH(packing);
    FRead = &read;
    FWrite = &write;
    FInPos = 0;
    FInEnd = false;
    try {
        body();
    } catch (...) {
        EndLZH();
        throw;
    }
    EndLZH();
}

// ---- stream adapters -----------------------------------------------------------------------------

// A stream's Read delivers count bytes or what remains, whichever is fewer.
void TLZH::GetBlockStream(uint8_t* buffer, uint16_t count, uint16_t& actual) {
    actual = uint16_t(std::max(0, InStream->Read(buffer, count)));
}

void TLZH::PutBlockStream(const uint8_t* buffer, uint16_t count, uint16_t& actual) {
    actual = count;
    OutStream->WriteBuffer(buffer, count);
}

TReadProc TLZH::StreamReader() {
    return [this](uint8_t* b, uint16_t n, uint16_t& a) { GetBlockStream(b, n, a); };
}

TWriteProc TLZH::StreamWriter() {
    return [this](const uint8_t* b, uint16_t n, uint16_t& a) { PutBlockStream(b, n, a); };
}

// ---- bit output ----------------------------------------------------------------------------------

void TLZH::EmitByte(uint8_t b) {
    uint16_t actual = 0;
    (*FWrite)(&b, 1, actual);
}

// Appends the top l bits of c.
void TLZH::Putcode(int l, uint16_t c) {
    putbuf = uint16_t(putbuf | (c >> putlen));
    putlen = uint8_t(putlen + l);
    if (putlen < 8) return;
    EmitByte(uint8_t(putbuf >> 8));
    putlen = uint8_t(putlen - 8);
    if (putlen >= 8) {
        EmitByte(uint8_t(putbuf));
        codesize += 2;
        putlen = uint8_t(putlen - 8);
        putbuf = uint16_t(c << (l - putlen));
    } else {
        putbuf = uint16_t(putbuf << 8);
        codesize++;
    }
}

void TLZH::EncodeEnd() {
    if (putlen == 0) return;
    EmitByte(uint8_t(putbuf >> 8));
    codesize++;
}

// ---- symbols ------------------------------------------------------------------------------------

void TLZH::EncodeChar(unsigned c) {
    // Codes can be longer than 16 bits (up to TTree::kMaxDepth), so the code is gathered in 32 bits
    // and sent in two pieces when it is longer than 16.
    uint32_t bits = 0;
    int j = 0;
    int k = tree->prnt[c + T];
    do {
        bits >>= 1;
        if (k & 1) bits |= 0x80000000u;
        j++;
    } while ((k = tree->prnt[k]) != R);
    if (j <= 16) {
        Putcode(j, uint16_t(bits >> 16));
    } else {
        Putcode(16, uint16_t(bits >> 16));
        Putcode(j - 16, uint16_t(bits));
    }
    code = uint16_t(bits >> 16);
    len = int16_t(j);
    tree->update(int(c));
}

void TLZH::EncodePosition(unsigned c) {
    unsigned i = c >> 6;
    Putcode(kPos.p_len[i], uint16_t(kPos.p_code[i] << 8));
    Putcode(6, uint16_t((c & 0x3F) << 10));
}

// ---- encoder search trees -----------------------------------------------------------------------

void TLZH::InitTree() {
    std::fill_n(&rson[N + 1], 256, int16_t(NIL));
    std::fill_n(&dad[0], N + 1, int16_t(NIL));
}

// Inserts position r into the tree of its first byte and finds the longest match; among equally
// long matches the nearest wins, which keeps the output a function of the input alone.
void TLZH::InsertNode(int r) {
    const uint8_t* key = &text_buf[size_t(r)];
    int p = N + 1 + key[0];
    int cmp = 1;
    rson[r] = lson[r] = NIL;
    match_length = 0;
    for (;;) {
        int16_t* next = cmp >= 0 ? rson.get() : lson.get();
        if (next[p] == NIL) {
            next[p] = int16_t(r);
            dad[r] = int16_t(p);
            return;
        }
        p = next[p];
        int i = CommonLength(key, &text_buf[size_t(p)]);
        if (i < F) cmp = key[i] - text_buf[size_t(p + i)];
        if (i > THRESHOLD) {
            int distance = ((r - p) & (N - 1)) - 1;
            if (i > match_length) {
                match_position = int16_t(distance);
                match_length = int16_t(i);
                if (i >= F) break;
            } else if (i == match_length && distance < match_position) {
                match_position = int16_t(distance);
            }
        }
    }
    // r matches p completely: r takes p's place.
    dad[r] = dad[p];
    lson[r] = lson[p];
    rson[r] = rson[p];
    dad[lson[p]] = int16_t(r);
    dad[rson[p]] = int16_t(r);
    if (rson[dad[p]] == p)
        rson[dad[p]] = int16_t(r);
    else
        lson[dad[p]] = int16_t(r);
    dad[p] = NIL;
}

void TLZH::DeleteNode(int p) {
    if (dad[p] == NIL) return;
    int q;
    if (rson[p] == NIL) {
        q = lson[p];
    } else if (lson[p] == NIL) {
        q = rson[p];
    } else {
        q = lson[p];
        if (rson[q] != NIL) {
            do
                q = rson[q];
            while (rson[q] != NIL);
            rson[dad[q]] = lson[q];
            dad[lson[q]] = dad[q];
            lson[q] = lson[p];
            dad[lson[p]] = int16_t(q);
        }
        rson[q] = rson[p];
        dad[rson[p]] = int16_t(q);
    }
    dad[q] = dad[p];
    if (rson[dad[p]] == p)
        rson[dad[p]] = int16_t(q);
    else
        lson[dad[p]] = int16_t(q);
    dad[p] = NIL;
}

// ---- packing ------------------------------------------------------------------------------------

// Next input byte of a pack run; the input is taken in blocks, all of it is consumed anyway.
bool TLZH::ReadPackInput(uint8_t& b) {
    if (FInPos == FInBuf.size()) {
        if (FInEnd) return false;
        FInBuf.resize(N);
        uint16_t actual = 0;
        (*FRead)(FInBuf.data(), uint16_t(N), actual);
        FInBuf.resize(std::min<size_t>(actual, N));
        FInPos = 0;
        if (FInBuf.empty()) {
            FInEnd = true;
            return false;
        }
    }
    b = FInBuf[FInPos++];
    return true;
}

// Slides the window by count bytes, reading new ones while there are any.
void TLZH::AdvanceWindow(int& s, int& r, int& lenLeft, int count) {
    int i = 0;
    uint8_t c = 0;
    for (; i < count && ReadPackInput(c); i++) {
        DeleteNode(s);
        text_buf[size_t(s)] = c;
        if (s < F - 1) text_buf[size_t(s + N)] = c;
        s = (s + 1) & (N - 1);
        r = (r + 1) & (N - 1);
        InsertNode(r);
    }
    textsize += i;
    for (; i < count; i++) {
        DeleteNode(s);
        s = (s + 1) & (N - 1);
        r = (r + 1) & (N - 1);
        if (--lenLeft) InsertNode(r);
    }
}

void TLZH::PackBody() {
    tree->StartHuff();
    InitTree();
    int s = 0, r = N - F;
    std::fill(text_buf.begin(), text_buf.begin() + r, uint8_t(' '));
    int lenLeft = 0;
    uint8_t c = 0;
    while (lenLeft < F && ReadPackInput(c))
        text_buf[size_t(r + lenLeft++)] = c;
    textsize = lenLeft;
    for (int i = 1; i <= F; i++)
        InsertNode(r - i);
    InsertNode(r);
    while (lenLeft > 0) {
        if (match_length > lenLeft) match_length = int16_t(lenLeft);
        if (match_length <= THRESHOLD) {
            match_length = 1;
            EncodeChar(text_buf[size_t(r)]);
        } else {
            EncodeChar(unsigned(255 - THRESHOLD + match_length));
            EncodePosition(unsigned(match_position));
        }
        AdvanceWindow(s, r, lenLeft, match_length);
    }
    EncodeEnd();
}

void TLZH::LZHPack(int32_t& bytesPacked, const TReadProc& read, const TWriteProc& write) {
    bytesPacked = 0;
    Run(true, read, write, [&] {
        PackBody();
        bytesPacked = textsize;
    });
}

// ---- unpacking ----------------------------------------------------------------------------------

void TLZH::UnpackBody(int32_t textSize) {
    Lzh::TBitReader in(nullptr, 0, [this](uint8_t& b) {
        uint16_t actual = 0;
        (*FRead)(&b, 1, actual);
        return actual != 0;
    });
    // The window in front of each block is kept in memory: the ring's start, then what came before.
    Lzh::TDecoder::InitWindow(window.data());
    Lzh::TDecoder decoder(*tree, in, window.data());
    uint8_t* text = window.data() + N;
    for (int32_t left = textSize; left > 0;) {
        int32_t block = std::min(left, kUnpackBlock);
        uint8_t* end = decoder.Decode(text, text + block, text + std::min(left, kUnpackBlock + F - 1), false);
        for (const uint8_t* p = text; p < end; p++)
            EmitByte(*p);
        left -= int32_t(end - text);
        std::memmove(window.data(), end - N, N);
    }
}

void TLZH::LZHUnpack(int32_t textSize, const TReadProc& read, const TWriteProc& write) {
    Run(false, read, write, [&] {
        if (textSize > 0) UnpackBody(textSize);
    });
}

// ---- the stored layer ---------------------------------------------------------------------------

int64_t LZHMaxUnpackedSize(int64_t packedBytes) {
    // No symbol yields more bytes per bit than the longest match: at best one bit for its code (a
    // son of the root), three for the shortest position code and six verbatim bits, 60 bytes for
    // 10 bits. A literal takes at least one bit for its byte.
    constexpr int64_t kLongestMatchBits = 1 + Lzh::kPos.p_len[0] + 6;
    return std::max<int64_t>(packedBytes, 0) * 8 * TLZH::F / kLongestMatchBits;
}

void LZHCompress(TStream& Source, TStream& Dest) {
    Source.SetPosition(0);
    Dest.SetPosition(0);
    uint32_t size = uint32_t(Source.Size());
    uint8_t le[4] = {uint8_t(size), uint8_t(size >> 8), uint8_t(size >> 16), uint8_t(size >> 24)};
    Dest.WriteBuffer(le, 4);
    TLZH lzh;
    lzh.InStream = &Source;
    lzh.OutStream = &Dest;
    int32_t packed = 0;
    lzh.LZHPack(packed, lzh.StreamReader(), lzh.StreamWriter());
}

void LZHDecompress(TStream& Source, TStream& Dest) {
    Source.SetPosition(0);
    Dest.SetPosition(0);
    uint8_t le[4];
    Source.ReadBuffer(le, 4);
    int32_t size =
        int32_t(uint32_t(le[0]) | uint32_t(le[1]) << 8 | uint32_t(le[2]) << 16 | uint32_t(le[3]) << 24);
    if (size <= 0) return;
    int64_t packedBytes = Source.Size() - 4;
    auto tooShort = [size] {
        return ElzhException(Format("LZH : Packed data too short for %d bytes", size));
    };
    if (size > LZHMaxUnpackedSize(packedBytes)) throw tooShort();
    std::vector<uint8_t> packed(static_cast<size_t>(packedBytes));
    Source.ReadBuffer(packed.data(), packedBytes);
    // A memory stream receives the bytes where they are decoded.
    TMemoryStream scratch;
    auto* memory = dynamic_cast<TMemoryStream*>(&Dest);
    TMemoryStream& out = memory ? *memory : scratch;
    out.SetSize(int64_t(size) + int64_t(Lzh::TDecoder::kSlack));
    Lzh::TUnpackResult result = Lzh::Unpack(packed.data(), packed.size(), out.Memory(), size);
    Source.SetPosition(4 + int64_t(result.PackedUsed));
    out.SetSize(result.Complete ? size : 0);
    if (!result.Complete) throw tooShort();
    if (memory)
        Dest.SetPosition(size);
    else
        Dest.WriteBuffer(scratch.Memory(), size);
}
