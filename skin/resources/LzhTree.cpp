#include "LzhTree.h"

#include <cstring>

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
    freq[T] = 0xFFFF;
    prnt[R] = 0;
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
}

// Node k has just reached weight f; the last node still below f takes its place and k takes that
// node's, each keeping its subtree. Returns where k's subtree is now.
int TTree::SwapWithLastBelow(int k, uint16_t f) {
    // Weights never fall as the index rises (freq[T] is the sentinel), so the last node below f is
    // found by halving rather than by walking a run of equal ones.
    int l = int(std::lower_bound(freq + k + 2, freq + T + 1, f) - freq) - 1;
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
    return l;
}

} // namespace Lzh
