#pragma once
// The random source the rules draw from. The program has one; tests pass their own, so that a
// shuffle or a random pick is checked exactly.

#include <QtGlobal>

class TPRandom {
public:
    virtual ~TPRandom() = default;
    // 0 to n - 1; 0 when n is 0 or less.
    virtual int below(int n) = 0;
};

// The program's source (seeded by PRandomize / PRandSeed of the data module).
TPRandom &PRandom();
void PSeedRandom(quint32 seed);
