#pragma once
// A random source that gives scripted draws in turn (each taken modulo the range asked for),
// then zeros, and remembers the ranges asked for.

#include "rules/random.h"

#include <QList>

class QueuedRandom : public TPRandom {
public:
    explicit QueuedRandom(QList<int> draws = {}) : m_draws(std::move(draws)) {}
    int below(int n) override
    {
        ranges << n;
        if (n <= 0)
            return 0;
        return m_draws.isEmpty() ? 0 : m_draws.takeFirst() % n;
    }
    QList<int> ranges;

private:
    QList<int> m_draws;
};
