#include "rules/random.h"

#include <QRandomGenerator>

namespace {
class ProgramRandom : public TPRandom {
public:
    int below(int n) override { return n <= 0 ? 0 : int(m_gen.bounded(quint32(n))); }
    void seed(quint32 s) { m_gen.seed(s); }

private:
    QRandomGenerator m_gen;
};

ProgramRandom &programRandom()
{
    static ProgramRandom r;
    return r;
}
}  // namespace

TPRandom &PRandom() { return programRandom(); }

void PSeedRandom(quint32 seed) { programRandom().seed(seed); }
