// A variable set for the length of a block: it gets its old value back on the way out, also when
// the block throws. Portable: no Windows headers.
#pragma once

#include <utility>

template <class T> class TRestore {
  public:
    TRestore(T& variable, T value) : FVariable(variable), FOld(std::exchange(variable, std::move(value))) {}
    TRestore(const TRestore&) = delete;
    TRestore& operator=(const TRestore&) = delete;
    ~TRestore() { FVariable = std::move(FOld); }

  private:
    T& FVariable;
    T FOld;
};
