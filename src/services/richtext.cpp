#include "services/richtext.h"

#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

namespace {
// The text a document was shown from, kept until the document changes.
const char kShownText[] = "lxShownText";
const char kWatched[] = "lxShownTextWatched";

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
    Edit->setCurrentCharFormat(QTextCharFormat());
    if (PIsRichTextSource(Text))
        Edit->setHtml(Text);
    else
        Edit->setPlainText(Text);
    // Until the learner changes it the text is stored back as it came: a round trip through the
    // document would turn plain lines into rich text and costs a third of a word's save.
    QTextDocument *doc = Edit->document();
    if (!doc->property(kWatched).toBool()) {
        doc->setProperty(kWatched, true);
        QObject::connect(doc, &QTextDocument::contentsChanged, doc, [doc] { doc->setProperty(kShownText, QVariant()); });
    }
    doc->setProperty(kShownText, Text);
}

QString PRichTextSource(const QTextEdit *Edit)
{
    const QVariant shown = Edit->document()->property(kShownText);
    return shown.isValid() ? shown.toString() : Edit->toHtml();
}

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
