#pragma once
// Phonetic transcriptions: the look-up file "WordPron.dat" in the program folder (one "word|
// transcription" a line) and the phonetic font "ksphonet.ttf" the transcriptions are written for.

#include <QString>

class QWidget;

// The face name of the phonetic font file.
extern const QString PPhoneticFontName;

// Phonetic := the transcription of the first line whose key is Word exactly (letter case
// counts). No file or no such line: Phonetic keeps its value. The file is read again only
// after it changed; each line may be UTF-8 or in the Chinese code page.
void PLookupPhonetic(const QString &Word, QString &Phonetic);
// With the font file in the program folder: registers it and gives its face to Control; without
// it: empties Control, so no unreadable transcription shows.
void PApplyPhoneticFont(QWidget *Control);
void PApplyPhoneticFont2(QWidget *Control);
