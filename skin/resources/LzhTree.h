// What packing and unpacking LZH streams share: the coder's constants, the fixed prefix code of
// match positions and the adaptive Huffman tree of literals and match lengths.
// Portable: no Windows headers.
#pragma once

#include <algorithm>
#include <cstdint>

namespace Lzh {

constexpr int N = 4096;                     // ring buffer; positions are taken modulo N
constexpr int F = 60;                       // longest match
constexpr int THRESHOLD = 2;                // matches this long or shorter are sent as literals
constexpr int N_CHAR = 256 - THRESHOLD + F; // literals, then match lengths 3 ... F
constexpr int T = N_CHAR * 2 - 1;           // tree nodes
constexpr int R = T - 1;                    // root
constexpr unsigned MAX_FREQ = 0x8000;       // root weight that halves all weights
constexpr int START = N - F;                // ring position of the first byte; spaces before it

// Match positions: the upper 6 bits of a distance in a fixed prefix code, the lower 6 verbatim.
struct TPositionCode {
    uint8_t p_len[64] = {};
    uint8_t p_code[64] = {};
    uint8_t d_code[256] = {}; // by the next 8 bits: the upper 6 bits of the distance
    uint8_t d_len[256] = {};  // and the length of their code
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

inline constexpr TPositionCode kPos = MakePositionCode();
static_assert(kPos.p_code[1] == 0x20 && kPos.p_code[5] == 0x58 && kPos.p_code[63] == 0xFF);

// Node weights never fall as the index rises, and the two sons of a node are neighbours: the tree
// is a Huffman tree of its weights at all times. Its root weighs at most MAX_FREQ, so no leaf lies
// deeper than 21 levels (a leaf at depth d needs a root of at least Fibonacci(d + 2) = 28657 for 21).
struct TTree {
    static constexpr int kMaxDepth = 21;

    uint16_t freq[T + 1];     // freq[T] is a sentinel above every weight
    int16_t prnt[T + N_CHAR]; // entries T ... T + N_CHAR - 1 are the leaves of the symbols
    int16_t son[T];           // the left son (the right one is next), or T + symbol for a leaf

    void StartHuff();
    void reconst();

    // Counts symbol c: its leaf and every node above it weigh one more; a node that would outweigh
    // its right neighbour first changes places with the last node of its old weight.
    void update(int c) {
        if (freq[R] == MAX_FREQ) reconst();
        int k = prnt[c + T];
        do {
            uint16_t f = ++freq[k];
            if (f > freq[k + 1]) k = SwapWithLastBelow(k, f);
        } while ((k = prnt[k]) != 0);
    }

  private:
    int SwapWithLastBelow(int k, uint16_t f);
};

} // namespace Lzh
