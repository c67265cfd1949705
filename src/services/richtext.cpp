#include "services/richtext.h"

#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace {
// The first line of what the document writes, as this Qt writes it.
const QString &richTextHeader()
{
    static const QString header = QTextDocument().toHtml().section(QLatin1Char('\n'), 0, 0);
    return header;
}
}  // namespace

bool PIsRichTextSource(const QString &Text) { return Text.startsWith(richTextHeader()); }

void PShowStoredText(QTextEdit *Edit, const QString &Text)
{
    // The caret's format would otherwise carry the last word's emphasis into plain text.
    Edit->clear();
    Edit->setCurrentCharFormat(QTextCharFormat());
    if (PIsRichTextSource(Text))
        Edit->setHtml(Text);
    else
        Edit->setPlainText(Text);
}

QString PRichTextSource(const QTextEdit *Edit) { return Edit->toHtml(); }

void PEmphasise(QTextEdit *Edit, TPEmphasis Emphasis)
{
    QTextCursor cursor = Edit->textCursor();
    QTextCharFormat format;
    if (Emphasis == EmphasisNone) {
        format.setFont(Edit->document()->defaultFont());
        format.setForeground(Edit->palette().color(QPalette::Text));
        cursor.setCharFormat(format);
    } else {
        format.setFontWeight(QFont::Bold);
        if (Emphasis == EmphasisBoldRed)
            format.setForeground(QColor(255, 0, 0));
        cursor.mergeCharFormat(format);
    }
    Edit->setTextCursor(cursor);
}
