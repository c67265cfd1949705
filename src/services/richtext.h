#pragma once
// Example sentences keep their emphasis by being stored as the rich-text source a rich edit
// writes; texts stored by imports and older tools are plain lines.

#include <QString>

class QTextEdit;

// Whether Text starts with the header a rich edit writes.
bool PIsRichTextSource(const QString &Text);
// Shows a stored text: rich-text source formatted, anything else as plain lines.
void PShowStoredText(QTextEdit *Edit, const QString &Text);
// The rich-text source of the edit's whole text, to be stored; the shown text itself while the
// edit still holds it unchanged.
QString PRichTextSource(const QTextEdit *Edit);

enum TPEmphasis { EmphasisNone, EmphasisBold, EmphasisBoldRed };
// On the edit's selection: "突出" bold, "更突出" bold red, "取消突出" back to the edit's own look.
void PEmphasise(QTextEdit *Edit, TPEmphasis Emphasis);
