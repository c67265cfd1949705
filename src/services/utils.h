#pragma once
// Small routines every window uses: the tiled background, input checks and durations (the date
// texts are in platform/clock.h).

#include "platform/clock.h"

#include <QString>

class QPixmap;
class QWidget;

// The shared background bitmap; the main window creates and frees it.
extern QPixmap *PBackBitmap;

// Tiles "back.bmp" of the current directory behind the form's controls, when there is one.
void PLoadFormBackground(QWidget *Form);

// Every character a printable ASCII one (32 to 126); true for an empty text.
bool PIsPrintableAscii(const QString &Text);
// Every character an ASCII letter; true for an empty text.
bool PIsLettersOnly(const QString &Text);
// Shows why a word and its meaning are refused and returns true; false when they are fine.
bool PCheckWordAndMeaning(const QString &Word, const QString &Meaning);

// 3725 gives "1时2分5秒".
QString PSecondsToText(qint64 Seconds);
