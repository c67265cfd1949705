#pragma once
// Text files from other programs: by byte-order mark (UTF-16 or UTF-8), else UTF-8 when the
// bytes are valid UTF-8, else GB18030 (the Chinese code page those programs wrote).

#include <QByteArray>
#include <QString>
#include <QStringList>

QString PDecodeText(const QByteArray &bytes);
// Reads a whole text file; false when it cannot be read.
bool PReadTextFile(const QString &path, QString &text);
// The lines of a text, with CR/LF or LF line ends.
QStringList PSplitLines(const QString &text);
