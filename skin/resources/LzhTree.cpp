#include "LzhTree.h"

#include <cstring>
#include <iterator>

namespace Lzh {

void TTree::StartHuff() {
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
    std::fill(freq + T, freq + T + 1 + kScan, uint16_t(0xFFFF));
    prnt[R] = 0;
    ForgetAll();
}

// Halves the weights and rebuilds the tree, keeping equal weights in their order.
void TTree::reconst() {
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
    ForgetAll();
}

// Walks the top levels along the bits of index, noting in each node's span the slots that share
// its path so far.
void TTree::FillTop(unsigned index) {
    int c = son[R]; // the root never moves
    int taken = 0;
    for (; c < T && taken < kTopBits; taken++) {
        int below = kTopBits - 1 - taken; // bits of index under this level
        int node = c + int(index >> below & 1);
        span[node] = {uint16_t(index >> below << below), uint16_t(1u << below)};
        top[index].Path[taken] = int16_t(node);
        c = son[node];
    }
    top[index].Son = int16_t(c);
    top[index].Bits = int8_t(taken);
    top[index].Valid = true;
}

void TTree::Forget(int node) {
    TSpan& s = span[node];
    for (unsigned i = s.From; i < unsigned(s.From + s.Count); i++)
        top[i].Valid = false;
    s.Count = 0;
}

void TTree::ForgetAll() {
    for (TTopSlot& slot : top)
        slot.Valid = false;
    std::fill(std::begin(span), std::end(span), TSpan{0, 0});
}

} // namespace Lzh
