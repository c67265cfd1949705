#include "rules/articlewords.h"

namespace {
bool isAsciiLetter(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= u'A' && u <= u'Z') || (u >= u'a' && u <= u'z');
}
}  // namespace

int PSplitArticleWords(const QString &Text, QStringList &Words)
{
    Words.clear();
    int start = -1;
    for (int i = 0; i <= Text.size(); ++i) {
        const bool letter = i < Text.size() && isAsciiLetter(Text.at(i));
        if (letter && start < 0)
            start = i;
        else if (!letter && start >= 0) {
            Words << Text.mid(start, i - start);
            start = -1;
        }
    }
    return int(Words.size());
}
