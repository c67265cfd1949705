#include "support/soundfiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <cmath>

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

bool writeToneWav(const QString &path, int ms, double hz)
{
    const int rate = 22050;
    const int n = rate * ms / 1000;
    QByteArray data(n * 2, '\0');
    for (int i = 0; i < n; ++i)
        qToLittleEndian(qint16(8000 * std::sin(2 * M_PI * hz * i / rate)), data.data() + 2 * i);
    QByteArray h(44, '\0');
    char *p = h.data();
    memcpy(p, "RIFF", 4);
    qToLittleEndian(quint32(36 + data.size()), p + 4);
    memcpy(p + 8, "WAVEfmt ", 8);
    qToLittleEndian(quint32(16), p + 16);
    qToLittleEndian(quint16(1), p + 20);
    qToLittleEndian(quint16(1), p + 22);
    qToLittleEndian(quint32(rate), p + 24);
    qToLittleEndian(quint32(rate * 2), p + 28);
    qToLittleEndian(quint16(2), p + 32);
    qToLittleEndian(quint16(16), p + 34);
    memcpy(p + 36, "data", 4);
    qToLittleEndian(quint32(data.size()), p + 40);
    return writeFile(path, h + data);
}

bool writeShortMidi(const QString &path)
{
    QByteArray track;
    track.append("\x00\xC0\x00", 3);  // piano
    for (unsigned char note : {60, 64, 67, 72}) {
        track.append('\x00');
        track.append(char(0x90));
        track.append(char(note));
        track.append(char(90));
        track.append("\x83\x60", 2);  // 480 ticks
        track.append(char(0x80));
        track.append(char(note));
        track.append('\x00');
    }
    track.append("\x00\xFF\x2F\x00", 4);
    QByteArray file("MThd\x00\x00\x00\x06\x00\x00\x00\x01\x01\xE0", 14);
    file.append("MTrk", 4);
    char len[4];
    qToBigEndian(quint32(track.size()), len);
    file.append(len, 4);
    return writeFile(path, file + track);
}
