#pragma once
// The phonetic look-up file "WordPron.dat" in the program folder: one "word|transcription" a line,
// each line UTF-8 or in the Chinese code page. Imports and single look-ups read it the same way.

#include <QString>

// Phonetic := the transcription of the first line whose key is Word exactly (letter case
// counts). No file or no such line: Phonetic keeps its value. Every change of the file's
// content is seen by the next look-up.
void PLookupPhonetic(const QString &Word, QString &Phonetic);
