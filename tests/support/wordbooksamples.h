#pragma once
// Word-book exports as the two dictionary programs write them, with the stray lines real files
// carry, and a way to write them in the encodings those programs used.

#include <QFile>
#include <QString>
#include <QStringEncoder>

namespace wordbook {

enum class Encoding { Gb18030, Utf16LeBom, Utf8 };

// "+" word, "&" phonetic, "\" meaning (every backslash removed).
inline QString kingsoftSample()
{
    return QStringLiteral(
        "\\孤儿的解释\\\r\n"
        "&ˈɔːfən\r\n"
        "+abandon\r\n"
        "&əˈbændən\r\n"
        "\\vt. 放弃；抛弃\\\r\n"
        "+ability\r\n"
        "+able\r\n"
        "\\adj. 旧的\\\r\n"
        "\\adj. 能\\够的\\\r\n"
        "+\r\n"
        "\\不属于任何单词\\\r\n"
        "&ˈnəʊ\r\n"
        "\r\n"
        "+New York \r\n"
        "#这一行在本格式中无效\r\n"
        "\\n. 纽约\\\r\n"
        "*别的行\r\n"
        "+Apple\r\n"
        "&ˈæpl\r\n"
        "\\n. 苹果\\\r\n");
}

// "+" word (phonetic from the phonetic file), "#" meaning (every "#" removed).
inline QString googleSample()
{
    return QStringLiteral(
        "#在第一个单词之前\n"
        "+abandon\n"
        "#vt. 放弃#\n"
        "&不用的音标\n"
        "+able\n"
        "#adj. 能够的\n"
        "+missing\n"
        "+\n"
        "#孤儿\n"
        "+abandon\n"
        "#又一次\n");
}

// The phonetic file beside the program: the first line of a word counts, keys match exactly.
inline QString phoneticFile()
{
    return QStringLiteral("abandon|əˈbændən\nabandon|second\nAble|ˈeɪbl\nno bar here\n");
}

inline bool writeText(const QString &path, const QString &text, Encoding encoding)
{
    QByteArray bytes;
    switch (encoding) {
    case Encoding::Gb18030: {
        QStringEncoder gb("GB18030");
        bytes = gb.encode(text);
        break;
    }
    case Encoding::Utf16LeBom: {
        QStringEncoder u16(QStringConverter::Utf16LE, QStringEncoder::Flag::WriteBom);
        bytes = u16.encode(text);
        break;
    }
    case Encoding::Utf8:
        bytes = text.toUtf8();
        break;
    }
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

}  // namespace wordbook
