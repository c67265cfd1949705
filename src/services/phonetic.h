#pragma once
// Phonetic transcriptions: the look-up file "WordPron.dat" in the program folder (one "word|
// transcription" a line) and the phonetic font "ksphonet.ttf" the transcriptions are written for.

#include "core/phoneticfile.h"

#include <QString>

class QWidget;

// The face name of the phonetic font file.
extern const QString PPhoneticFontName;

// With the font file in the program folder: registers it and gives its face to Control; without
// it: empties Control, so no unreadable transcription shows.
void PApplyPhoneticFont(QWidget *Control);
void PApplyPhoneticFont2(QWidget *Control);
