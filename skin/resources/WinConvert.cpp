#include "WinConvert.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

// Match positions: the upper 6 bits of a distance in a fixed prefix code, the lower 6 verbatim.
struct TPositionCode {
    uint8_t p_len[64] = {};
    uint8_t p_code[64] = {};
    uint8_t d_code[256] = {};
    uint8_t d_len[256] = {};
};

constexpr TPositionCode MakePositionCode() {
    TPositionCode t;
    constexpr int lengths[][2] = {{3, 1}, {4, 3}, {5, 8}, {6, 12}, {7, 24}, {8, 16}};
    int j = 0;
    for (const auto& run : lengths)
        for (int k = 0; k < run[1]; k++)
            t.p_len[j++] = uint8_t(run[0]);
    unsigned code = 0;
    for (j = 0; j < 64; j++) {
        t.p_code[j] = uint8_t(code);
        unsigned span = 1u << (8 - t.p_len[j]);
        for (unsigned b = 0; b < span; b++) {
            t.d_code[code + b] = uint8_t(j);
            t.d_len[code + b] = t.p_len[j];
        }
        code += span;
    }
    return t;
}

constexpr TPositionCode kPos = MakePositionCode();
static_assert(kPos.p_code[1] == 0x20 && kPos.p_code[5] == 0x58 && kPos.p_code[63] == 0xFF);

template <class V> void Release(V& v) {
    V().swap(v);
}

} // namespace

// ---- run frame ----------------------------------------------------------------------------------

void TLZH::InitLZH() {
    try {
        text_buf.assign(N + F - 1, 0);
        lson.assign(N + 1, 0);
        dad.assign(N + 1, 0);
        rson.assign(N + 257, 0);
        freq.assign(T + 1, 0);
        prnt.assign(T + N_CHAR, 0);
        son.assign(T, 0);
    } catch (const std::bad_alloc&) {
        EndLZH();
        throw ElzhException("LZH : Cannot get memory for dictionary tables");
    }
    getbuf = putbuf = 0;
    getlen = putlen = 0;
    textsize = codesize = 0;
    match_position = match_length = 0;
    code = 0;
    len = 0;
}

void TLZH::EndLZH() {
    Release(text_buf);
    Release(lson);
    Release(dad);
    Release(rson);
    Release(freq);
    Release(prnt);
    Release(son);
    Release(FInBuf);
    FRead = nullptr;
    FWrite = nullptr;
}

void TLZH::Run(const TReadProc& read, const TWriteProc& write, const std::function<void()>& body) {
    InitLZH();
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

// ---- stream adapters ----------------------------------------------------------------------------

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

// ---- bit input and output -----------------------------------------------------------------------

void TLZH::FetchInput() {
    while (getlen <= 8) {
        uint8_t b = 0;
        uint16_t actual = 0;
        (*FRead)(&b, 1, actual);
        if (actual == 0) b = 0; // missing input reads as zero bits
        getbuf = uint16_t(getbuf | (b << (8 - getlen)));
        getlen = uint8_t(getlen + 8);
    }
}

int TLZH::GetBit() {
    FetchInput();
    int bit = getbuf >> 15;
    getbuf = uint16_t(getbuf << 1);
    getlen--;
    return bit;
}

int TLZH::GetByte() {
    FetchInput();
    int byte = getbuf >> 8;
    getbuf = uint16_t(getbuf << 8);
    getlen = uint8_t(getlen - 8);
    return byte;
}

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

// ---- adaptive Huffman tree ----------------------------------------------------------------------

void TLZH::StartHuff() {
    for (int i = 0; i < N_CHAR; i++) {
        freq[i] = 1;
        son[i] = int16_t(i + T);
        prnt[i + T] = int16_t(i);
    }
    for (int i = 0, j = N_CHAR; j <= R; i += 2, j++) {
        freq[j] = uint16_t(freq[i] + freq[i + 1]);
        son[j] = int16_t(i);
        prnt[i] = prnt[i + 1] = int16_t(j);
    }
    freq[T] = 0xFFFF;
    prnt[R] = 0;
}

// Halves the frequencies and rebuilds the tree, keeping equal frequencies in their order.
void TLZH::reconst() {
    int j = 0;
    for (int i = 0; i < T; i++) {
        if (son[i] < T) continue;
        freq[j] = uint16_t((freq[i] + 1) / 2);
        son[j] = son[i];
        j++;
    }
    for (int i = 0, j = N_CHAR; j < T; i += 2, j++) {
        unsigned f = unsigned(freq[i]) + freq[i + 1];
        int k = j - 1;
        while (f < freq[k])
            k--;
        k++;
        std::memmove(&freq[k + 1], &freq[k], size_t(j - k) * sizeof(freq[0]));
        std::memmove(&son[k + 1], &son[k], size_t(j - k) * sizeof(son[0]));
        freq[k] = uint16_t(f);
        son[k] = int16_t(i);
    }
    for (int i = 0; i < T; i++) {
        int k = son[i];
        prnt[k] = int16_t(i);
        if (k < T) prnt[k + 1] = int16_t(i);
    }
}

void TLZH::update(int c) {
    if (freq[R] == MAX_FREQ) reconst();
    int k = prnt[c + T];
    do {
        uint16_t f = ++freq[k];
        if (f > freq[k + 1]) {
            // Frequencies never fall as the index rises (freq[T] is the sentinel), so the last
            // node below f is found by halving rather than by walking a run of equal ones.
            int l = int(std::lower_bound(freq.begin() + k + 2, freq.end(), f) - freq.begin()) - 1;
            freq[k] = freq[l];
            freq[l] = f;
            int i = son[k];
            prnt[i] = int16_t(l);
            if (i < T) prnt[i + 1] = int16_t(l);
            int j = son[l];
            son[l] = int16_t(i);
            prnt[j] = int16_t(k);
            if (j < T) prnt[j + 1] = int16_t(k);
            son[k] = int16_t(j);
            k = l;
        }
    } while ((k = prnt[k]) != 0);
}

void TLZH::EncodeChar(unsigned c) {
    // The tree can grow deeper than 16 levels (frequencies up to 0x8000 allow about 23), so the
    // code is gathered in 32 bits and sent in two pieces when it is longer than 16.
    uint32_t bits = 0;
    int j = 0;
    int k = prnt[c + T];
    do {
        bits >>= 1;
        if (k & 1) bits |= 0x80000000u;
        j++;
    } while ((k = prnt[k]) != R);
    if (j <= 16) {
        Putcode(j, uint16_t(bits >> 16));
    } else {
        Putcode(16, uint16_t(bits >> 16));
        Putcode(j - 16, uint16_t(bits));
    }
    code = uint16_t(bits >> 16);
    len = int16_t(j);
    update(int(c));
}

void TLZH::EncodePosition(unsigned c) {
    unsigned i = c >> 6;
    Putcode(kPos.p_len[i], uint16_t(kPos.p_code[i] << 8));
    Putcode(6, uint16_t((c & 0x3F) << 10));
}

int TLZH::DecodeChar() {
    int c = son[R];
    while (c < T)
        c = son[c + GetBit()];
    c -= T;
    update(c);
    return c;
}

int TLZH::DecodePosition() {
    int i = GetByte();
    int c = kPos.d_code[i] << 6;
    for (int j = kPos.d_len[i] - 2; j > 0; j--)
        i = (i << 1) + GetBit();
    return c | (i & 0x3F);
}

// ---- encoder search trees -----------------------------------------------------------------------

void TLZH::InitTree() {
    for (int i = N + 1; i <= N + 256; i++)
        rson[i] = NIL;
    for (int i = 0; i <= N; i++)
        dad[i] = NIL;
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
        std::vector<int16_t>& next = cmp >= 0 ? rson : lson;
        if (next[p] == NIL) {
            next[p] = int16_t(r);
            dad[r] = int16_t(p);
            return;
        }
        p = next[p];
        int i = 1;
        while (i < F && (cmp = key[i] - text_buf[size_t(p + i)]) == 0)
            i++;
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
    StartHuff();
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
    Run(read, write, [&] {
        PackBody();
        bytesPacked = textsize;
    });
}

// ---- unpacking ----------------------------------------------------------------------------------

void TLZH::UnpackBody(int32_t textSize) {
    StartHuff();
    std::fill(text_buf.begin(), text_buf.begin() + (N - F), uint8_t(' '));
    int r = N - F;
    int32_t count = 0;
    auto put = [&](uint8_t b) {
        EmitByte(b);
        text_buf[size_t(r)] = b;
        r = (r + 1) & (N - 1);
        count++;
    };
    while (count < textSize) {
        int c = DecodeChar();
        if (c < 256) {
            put(uint8_t(c));
            continue;
        }
        int i = (r - DecodePosition() - 1) & (N - 1);
        int j = c - 255 + THRESHOLD;
        // A match that runs past the announced size is cut there.
        for (int k = 0; k < j && count < textSize; k++)
            put(text_buf[size_t((i + k) & (N - 1))]);
    }
}

void TLZH::LZHUnpack(int32_t textSize, const TReadProc& read, const TWriteProc& write) {
    Run(read, write, [&] {
        if (textSize > 0) UnpackBody(textSize);
    });
}

// ---- the stored layer ---------------------------------------------------------------------------

int64_t LZHMaxUnpackedSize(int64_t packedBytes) {
    // Every symbol takes at least one bit and yields at most F bytes; one more byte of slack
    // covers the zero bits read past the end.
    return (std::max<int64_t>(packedBytes, 0) + 1) * 8 * TLZH::F;
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
    if (size > LZHMaxUnpackedSize(Source.Size() - 4))
        throw ElzhException(Format("LZH : Packed data too short for %d bytes", size));
    TLZH lzh;
    lzh.InStream = &Source;
    lzh.OutStream = &Dest;
    lzh.LZHUnpack(size, lzh.StreamReader(), lzh.StreamWriter());
}
