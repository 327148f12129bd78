// A small cache bounded by entry count and bytes that drops the least recently used entries first.
// Lookup is linear: it holds few entries and serves paints, where a short scan costs less than hashing.
#pragma once

#include <cstddef>
#include <list>
#include <utility>

template <class Key, class Value> class TLruCache {
  public:
    TLruCache(size_t maxEntries, size_t maxBytes) : FMaxEntries(maxEntries), FMaxBytes(maxBytes) {}

    // The value under the key, which becomes the most recently used; null when absent.
    Value* Find(const Key& key) {
        for (auto it = FEntries.begin(); it != FEntries.end(); ++it)
            if (it->K == key) {
                FEntries.splice(FEntries.begin(), FEntries, it);
                return &it->V;
            }
        return nullptr;
    }

    bool Fits(size_t bytes) const { return bytes <= FMaxBytes && FMaxEntries > 0; }

    // Stores the value as the most recently used and drops the oldest entries beyond the bounds.
    // A value that does not fit the whole budget is not kept: null.
    Value* Insert(const Key& key, Value value, size_t bytes) {
        if (!Fits(bytes)) return nullptr;
        FEntries.push_front({key, std::move(value), bytes});
        FBytes += bytes;
        while (FEntries.size() > FMaxEntries || FBytes > FMaxBytes) {
            FBytes -= FEntries.back().Bytes;
            FEntries.pop_back();
        }
        return &FEntries.front().V;
    }

    void Clear() {
        FEntries.clear();
        FBytes = 0;
    }
    size_t Count() const { return FEntries.size(); }
    size_t Bytes() const { return FBytes; }

  private:
    struct TEntry {
        Key K;
        Value V;
        size_t Bytes;
    };
    std::list<TEntry> FEntries; // most recently used first
    size_t FMaxEntries, FMaxBytes;
    size_t FBytes = 0;
};
