#pragma once

#include <QString>

// The phonetic of Word from "WordPron.dat" in the program folder: the first line whose key
// (the text before the first "|") equals Word exactly. No file or no line: Phonetic stays.
void PLookupPhonetic(const QString &Word, QString &Phonetic);
