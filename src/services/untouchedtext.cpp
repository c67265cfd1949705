#include "services/untouchedtext.h"

#include <QList>

#include <algorithm>

namespace {
// The shown text of Stored, and for each shown character where its stored characters begin;
// one more entry holds the stored length.
struct Shown {
    QString text;
    QList<qsizetype> from;
};

Shown show(const QString &stored)
{
    Shown s;
    s.text.reserve(stored.size());
    s.from.reserve(stored.size() + 1);
    for (qsizetype i = 0; i < stored.size(); ++i) {
        const char16_t c = stored.at(i).unicode();
        s.from.append(i);
        switch (c) {
        case u'\r':
            // CR LF is one line break.
            if (i + 1 < stored.size() && stored.at(i + 1) == u'\n')
                ++i;
            s.text.append(u'\n');
            break;
        case 0x2028:  // line separator
        case 0x2029:  // paragraph separator
        case 0xfdd0:  // the rich edit's frame marks
        case 0xfdd1:
            s.text.append(u'\n');
            break;
        case 0x00a0:
            s.text.append(u' ');
            break;
        default:
            s.text.append(QChar(c));
        }
    }
    s.from.append(stored.size());
    return s;
}
}  // namespace

QString PShownPlainText(const QString &Stored) { return show(Stored).text; }

QString PKeepUntouched(const QString &Stored, const QString &Edited)
{
    const Shown shown = show(Stored);
    const QString &before = shown.text;
    if (before == Edited)
        return Stored;
    const qsizetype most = std::min(before.size(), Edited.size());
    qsizetype head = 0;
    while (head < most && before.at(head) == Edited.at(head))
        ++head;
    qsizetype tail = 0;
    while (tail < most - head && before.at(before.size() - 1 - tail) == Edited.at(Edited.size() - 1 - tail))
        ++tail;
    const qsizetype storedHeadEnd = shown.from.at(head);
    const qsizetype storedTailStart = shown.from.at(before.size() - tail);
    return Stored.left(storedHeadEnd) + Edited.mid(head, Edited.size() - head - tail) +
           Stored.mid(storedTailStart);
}
