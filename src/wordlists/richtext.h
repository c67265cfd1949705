#pragma once
// Example sentences are stored as the rich-text source of their box, so emphasis survives; any
// other stored text is shown as plain lines.

#include <QString>

class QTextEdit;

// Whether Text is rich-text source as a box writes it.
bool PIsRichSource(const QString &Text);
// The box's content as rich-text source.
QString PRichSource(const QTextEdit *Box);
// Shows a stored text in the box: formatted when it is rich-text source, else as plain lines.
void PShowStoredText(QTextEdit *Box, const QString &Stored);
