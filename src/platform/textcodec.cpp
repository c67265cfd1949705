#include "platform/textcodec.h"

#include <QFile>
#include <QStringConverter>
#include <QStringList>

QString PDecodeText(const QByteArray &bytes)
{
    if (auto bom = QStringConverter::encodingForData(bytes)) {
        QStringDecoder d(*bom, QStringConverter::Flag::Default);  // drops the mark
        return d.decode(bytes);
    }
    // Checked before decoding: a file in the other encoding is then decoded once, not twice.
    if (QByteArrayView(bytes).isValidUtf8())
        return QString::fromUtf8(bytes);
    QStringDecoder gb("GB18030");
    return gb.isValid() ? gb.decode(bytes) : QString::fromUtf8(bytes);
}

bool PReadTextFile(const QString &path, QString &text)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return false;
    text = PDecodeText(bytes);
    return true;
}

QStringList PSplitLines(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &l : lines)
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);
    if (!lines.isEmpty() && lines.last().isEmpty())
        lines.removeLast();
    return lines;
}
