#pragma once
// Small routines every window uses: the tiled background, input checks, durations and dates.

#include <QDate>
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

// The short date text, year-month-day unpadded ("2009-1-5"), whatever the machine's locale.
QString PShortDateText(const QDate &date);
// Today's short date text.
QString PShortDateText();
// Today's date text, zero-padded ("2009-01-05").
QString PTodayText();
// The date text of a given day, made from its short date text as today's is.
QString PDateText(const QDate &date);
