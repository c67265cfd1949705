#pragma once
// Example sentences keep their emphasis by being stored as the rich-text source a rich edit
// writes; texts stored by imports and older tools are plain lines. A text shown and left alone is
// stored back as it came.

#include <QString>

class QTextEdit;

// Whether Text starts with the header a rich edit writes.
bool PIsRichTextSource(const QString &Text);
// Shows a stored text: rich-text source formatted, anything else as plain lines.
void PShowStoredText(QTextEdit *Edit, const QString &Text);
// Shows a stored text as plain lines, whatever it holds.
void PShowPlainText(QTextEdit *Edit, const QString &Text);
// The rich-text source of the edit's whole text, to be stored; the shown text itself while the
// edit still holds it unchanged.
QString PRichTextSource(const QTextEdit *Edit);
// The rich-text source of the edit's whole text, always; no character of the text is lost.
QString PRichTextOf(const QTextEdit *Edit);
// The plain text to store: the shown text itself while the edit's text is unchanged; after a
// change, the shown text with only the changed stretch replaced, so line ends, no-break spaces
// and separators the learner did not touch keep their form.
QString PPlainTextSource(const QTextEdit *Edit);

enum TPEmphasis { EmphasisNone, EmphasisBold, EmphasisBoldRed };
// On the edit's selection: "突出" bold, "更突出" bold red, "取消突出" back to the edit's own look.
void PEmphasise(QTextEdit *Edit, TPEmphasis Emphasis);
