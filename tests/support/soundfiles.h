#pragma once
// Small sound files for tests: a sine tone as WAV and a short MIDI tune.

#include <QString>

// A mono 16-bit WAV of a tone lasting ms milliseconds.
bool writeToneWav(const QString &path, int ms, double hz = 660.0);
// A one-track General MIDI file: four quarter notes at 120 beats a minute.
bool writeShortMidi(const QString &path);
// Writes bytes to path, making its folder.
bool writeFile(const QString &path, const QByteArray &bytes);
