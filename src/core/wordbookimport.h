#pragma once
// Word-book import: the text that two dictionary programs export from their word books, read into
// a list view (word, meaning, phonetic) and stored into a word list.

#include <QString>

class QTreeWidget;
struct TOpenDialog;

// Layout names as written to "DBTool"/"新词入库".
extern const QString PWordBookLayoutKingsoft;  // "金山词霸"
extern const QString PWordBookLayoutGoogle;    // "谷歌金山词霸"

// Empties ListView, asks for the export file and fills ListView from it: one item per word, column 0
// the word, column 1 the meaning, column 2 the phonetic. False when the dialog was cancelled or the
// setting names neither layout. A file that cannot be read is an EngineError (the list stays empty).
bool PImportWordBookText(QTreeWidget *ListView, TOpenDialog &OpenDialog);

// Stores the words of ListView into word list T; a word T already holds (letter case aside) is
// skipped. Each word lands whole or not at all; on an error the words before it stay and the
// error goes on to the caller.
void PStoreImportedWords(QTreeWidget *ListView, const QString &T);
