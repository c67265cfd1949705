#pragma once
// Example sentences kept as rich text, so that emphasis survives: stored as the HTML the box
// writes, shown as rich text when a stored text is such HTML and as plain lines otherwise.

#include <QString>

class QTextEdit;

// The value to store for Box's sentences.
QString PStoredSentences(const QTextEdit *Box);
// Shows a stored sentence text in Box.
void PShowStoredSentences(QTextEdit *Box, const QString &Stored);

enum TPEmphasis { EmphasisNone, EmphasisBold, EmphasisBoldRed };
// "突出" bold, "更突出" bold red, "取消突出" back to the box's own look; on Box's selection.
void PEmphasise(QTextEdit *Box, TPEmphasis Emphasis);
