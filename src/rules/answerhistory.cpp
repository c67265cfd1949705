#include "rules/answerhistory.h"

namespace {

// The last character, never half of a surrogate pair.
QString lastChar(const QString &s)
{
    if (s.isEmpty())
        return QString();
    const int n = s.size() >= 2 && s.at(s.size() - 1).isLowSurrogate() && s.at(s.size() - 2).isHighSurrogate() ? 2 : 1;
    return s.right(n);
}

}  // namespace

QString PShiftMasterType(const QString &Old, bool Right)
{
    return lastChar(Old) + (Right ? QLatin1Char('1') : QLatin1Char('0'));
}

QString PRegretMasterType(const QString &Current)
{
    // The newest result is the last character; what stood before it stays.
    return Current.left(Current.size() - lastChar(Current).size()) + QLatin1Char('0');
}

int PMasteredDelta(const QStringList &NewTypes)
{
    return int(NewTypes.count(QStringLiteral("01"))) - int(NewTypes.count(QStringLiteral("10")));
}
