#pragma once
// The order of texts in sortable lists: ASCII letters without regard to case, other characters by
// their GB18030 bytes, which puts the common Chinese characters in pinyin order; numbers as text.

#include <QByteArray>
#include <QString>
#include <QStringView>

// Negative, zero or positive as a sorts before, with or after b.
int PCompareSortTexts(QStringView a, QStringView b);
// The first eight bytes of a text's sort key: texts whose prefixes differ compare as these do.
quint64 PSortPrefix(QStringView t);
// The whole sort key: comparing keys bytewise is comparing their texts.
QByteArray PSortKey(const QString &Text);
