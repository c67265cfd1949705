#include "rules/sortorder.h"

#include <QStringEncoder>
#include <vector>

namespace {

// The GB18030 bytes of one character packed big-endian into 32 bits, ASCII letters folded to
// upper case. Comparing two characters' weights is comparing their byte sequences, because no
// sequence of GB18030 is a prefix of another; so comparing texts weight by weight gives the
// byte order of their GB18030 texts, which puts the common Chinese characters in pinyin order.
quint32 packBytes(const QByteArray &b)
{
    quint32 w = 0;
    for (int i = 0; i < 4; ++i)
        w = (w << 8) | (i < b.size() ? quint8(b.at(i)) : 0u);
    return w;
}

QByteArray gb18030(QStringView text)
{
    thread_local QStringEncoder encoder("GB18030", QStringConverter::Flag::Stateless);
    if (!encoder.isValid())
        return text.toUtf8();
    return encoder.encode(text);
}

quint32 charWeight(char16_t c)
{
    if (c < 0x80) {
        if (c >= 'a' && c <= 'z')
            c = char16_t(c - 'a' + 'A');
        return quint32(c) << 24;
    }
    // Looked up once per character and kept: encoding is the slow part of a sort.
    static std::vector<quint32> cache(0x10000, 0);
    quint32 &w = cache[c];
    if (w == 0) {
        const QChar ch(c);
        w = packBytes(gb18030(QStringView(&ch, 1)));
    }
    return w;
}

// The weight of the character at i, moving i past it (a surrogate pair is one character).
quint32 weightAt(QStringView t, qsizetype &i)
{
    const char16_t c = t.at(i).unicode();
    if (QChar::isHighSurrogate(c) && i + 1 < t.size() && QChar::isLowSurrogate(t.at(i + 1).unicode())) {
        const quint32 w = packBytes(gb18030(t.mid(i, 2)));
        i += 2;
        return w;
    }
    ++i;
    return charWeight(c);
}

}  // namespace

int PCompareSortTexts(QStringView a, QStringView b)
{
    const char16_t *pa = reinterpret_cast<const char16_t *>(a.constData());
    const char16_t *pb = reinterpret_cast<const char16_t *>(b.constData());
    const qsizetype na = a.size(), nb = b.size();
    qsizetype i = 0, j = 0;
    while (i < na && j < nb) {
        char16_t ca = pa[i], cb = pb[j];
        if (ca < 0x80 && cb < 0x80) {
            // Both ASCII: their weights compare as the folded characters do.
            if (ca >= 'a' && ca <= 'z')
                ca = char16_t(ca - 'a' + 'A');
            if (cb >= 'a' && cb <= 'z')
                cb = char16_t(cb - 'a' + 'A');
            if (ca != cb)
                return ca < cb ? -1 : 1;
            ++i;
            ++j;
            continue;
        }
        const quint32 wa = weightAt(a, i), wb = weightAt(b, j);
        if (wa != wb)
            return wa < wb ? -1 : 1;
    }
    // The shorter text first when one begins the other.
    return int(i < na) - int(j < nb);
}

// The first eight bytes of a text's sort order, zero-padded: texts whose prefixes differ compare
// as their prefixes do, so most comparisons of a sort are one integer comparison.
quint64 PSortPrefix(QStringView t)
{
    quint64 p = 0;
    int bytes = 0;
    for (qsizetype i = 0; i < t.size() && bytes < 8;) {
        const quint32 w = weightAt(t, i);
        for (int shift = 24; shift >= 0 && bytes < 8; shift -= 8) {
            const quint32 b = (w >> shift) & 0xFF;
            if (shift != 24 && b == 0)
                break;
            p |= quint64(b) << (8 * (7 - bytes));
            ++bytes;
        }
    }
    return p;
}

QByteArray PSortKey(const QString &Text)
{
    QByteArray key;
    for (qsizetype i = 0; i < Text.size();) {
        const quint32 w = weightAt(Text, i);
        for (int shift = 24; shift >= 0; shift -= 8)
            if (shift == 24 || ((w >> shift) & 0xFF) != 0)
                key.append(char((w >> shift) & 0xFF));
    }
    return key;
}
