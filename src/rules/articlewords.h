#pragma once
// Splitting an article into its words: a word is a run of the letters A-Z and a-z, and every other
// character (digits, blanks, apostrophes, hyphens, Chinese) ends one, so "don't" is "don" and "t".

#include <QString>
#include <QStringList>

// Words := the words of Text in text order, as written and with repetitions; returns their count.
int PSplitArticleWords(const QString &Text, QStringList &Words);
