#include "rules/answercheck.h"

namespace {
QString asciiLower(const QString &s)
{
    QString out = s;
    for (QChar &c : out)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + ('a' - 'A'));
    return out;
}
}  // namespace

bool PSpellingMatches(const QString &Typed, const QString &Word)
{
    // Only A to Z fold: an accented or full-width capital stays what it is.
    return asciiLower(Typed) == asciiLower(Word);
}
