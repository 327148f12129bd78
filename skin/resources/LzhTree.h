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

    static constexpr int kScan = 16; // weights compared at once when looking for the end of a run

    uint16_t freq[T + 1 + kScan]; // from freq[T] on, sentinels above every weight
    int16_t prnt[T + N_CHAR + 1]; // T ... T + N_CHAR - 1: the symbols' leaves; then a dummy
    int16_t son[T];               // the left son (the right one is next), or T + symbol for a leaf

    // For decoding, the top levels as a table by the next kTopBits bits: the son value reached and
    // the bits taken to reach it. Slots are filled when first used. span[node] are the slots whose
    // paths run through node; moving the node empties them.
    static constexpr int kTopBits = 6;
    struct TTopSlot {
        int16_t Son;
        int8_t Bits;
        bool Valid;
        int16_t Path[kTopBits]; // the nodes passed, from the root's son down
    };
    struct TSpan {
        uint16_t From, Count;
    };
    TTopSlot top[1 << kTopBits];
    TSpan span[T];

    void StartHuff();
    void reconst();

    const TTopSlot& TopSlot(unsigned index) {
        if (!top[index].Valid) FillTop(index);
        return top[index];
    }

    // Counts symbol c: its leaf and every node above it weigh one more; a node that would outweigh
    // its right neighbour first changes places with the last node of its old weight.
    void update(int c) {
        if (freq[R] == MAX_FREQ) reconst();
        Climb(prnt[c + T]);
    }
    // The same for the symbol whose leaf is path[depth - 1], path holding the nodes from the root's
    // son down: while nothing moves, the path gives the parents without looking them up.
    void update(int c, const int16_t* path, int depth) {
        if (freq[R] == MAX_FREQ) return update(c);
        for (int i = depth - 1; i >= 0; i--) {
            int k = path[i];
            uint16_t f = ++freq[k];
            if (f > freq[k + 1]) return Climb(prnt[SwapWithLastBelow(k, f)]);
        }
        ++freq[R];
    }

  private:
    // Counts one more for node k and every node above it.
    void Climb(int k) {
        do {
            uint16_t f = ++freq[k];
            if (f > freq[k + 1]) k = SwapWithLastBelow(k, f);
        } while ((k = prnt[k]) != 0);
    }
    int SwapWithLastBelow(int k, uint16_t f);
    void FillTop(unsigned index);
    void Forget(int node);
    void ForgetAll();
};

// Node k has just reached weight f; the last node still below f takes its place and k takes that
// node's, each keeping its subtree. Returns where k's subtree is now.
inline int TTree::SwapWithLastBelow(int k, uint16_t f) {
    // Weights never fall as the index rises, so the nodes below f in a stretch of kScan are its
    // first ones: counting them (without a branch per node) finds the end of a short run of equal
    // weights; a longer one (unused symbols all weigh 1) is halved. freq[k + 1] is below f.
    int l = k + 1;
    int n = 0;
    for (int i = 1; i <= kScan; i++)
        n += int(unsigned(freq[l + i] - f) >> 31); // freq < f, as arithmetic
    l += n;
    if (n == kScan) l = int(std::lower_bound(freq + l + 1, freq + T + 1, f) - freq) - 1;
    if (span[k].Count | span[l].Count) {
        Forget(k);
        Forget(l);
    }
    freq[k] = freq[l];
    freq[l] = f;
    // The right son of an internal node needs its parent too; a leaf has none, and its write
    // goes to the dummy entry rather than behind a branch that guesses wrong half the time.
    constexpr int kDummy = T + N_CHAR;
    int i = son[k];
    prnt[i] = int16_t(l);
    prnt[i < T ? i + 1 : kDummy] = int16_t(l);
    int j = son[l];
    son[l] = int16_t(i);
    prnt[j] = int16_t(k);
    prnt[j < T ? j + 1 : kDummy] = int16_t(k);
    son[k] = int16_t(j);
    return l;
}

} // namespace Lzh
