#pragma once
// The look windows share: colours as the program named them, and fonts.

#include <QColor>
#include <QString>

class QWidget;

namespace NamedColor {
// Colours as the program named them.
const QColor MoneyGreen(192, 220, 192);
const QColor SkyBlue(166, 202, 240);
const QColor Grey(128, 128, 128);
const QColor Silver(192, 192, 192);
const QColor Lime(0, 255, 0);
const QColor Green(0, 128, 0);
const QColor Red(255, 0, 0);
const QColor Olive(128, 128, 0);
const QColor Yellow(255, 255, 0);
const QColor Teal(0, 128, 128);
}  // namespace NamedColor

// A window's colour (its children's backgrounds follow it).
void PSetFormColor(QWidget *W, const QColor &C);
// The colour of a box's input area (list views, edits).
void PSetBoxColor(QWidget *W, const QColor &C);
// Sets the colour of the widget's text.
void PSetTextColor(QWidget *W, const QColor &C);
// A font of the given family and pixel size on the widget (family empty: keep it).
void PSetPixelFont(QWidget *W, int Px, const QString &Family = QString());
