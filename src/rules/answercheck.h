#pragma once
// Whether a typed answer is the word asked for. Widget-free.

#include <QString>

// The spelling test's rule: ASCII letters compare without regard to case, everything else
// exactly; nothing is trimmed, so a leading blank makes the answer wrong.
bool PSpellingMatches(const QString &Typed, const QString &Word);
