#include "services/richtext.h"

#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <memory>

namespace {
// The text a document was shown from: kShownText until the document changes, kStoredText and
// the document's raw text at that moment (kShownRaw) until the next text is shown.
const char kShownText[] = "lxShownText";
const char kStoredText[] = "lxStoredText";
const char kShownRaw[] = "lxShownRaw";
const char kWatched[] = "lxShownTextWatched";

const QChar kParagraph(0x2029);

// The first line of what the document writes, as this Qt writes it.
const QString &richTextHeader()
{
    static const QString header = QTextDocument().toHtml().section(QLatin1Char('\n'), 0, 0);
    return header;
}

void remember(QTextEdit *Edit, const QString &Text)
{
    // Until the learner changes it the text is stored back as it came: a round trip through the
    // document would turn plain lines into rich text and rewrite line ends and blanks.
    QTextDocument *doc = Edit->document();
    if (!doc->property(kWatched).toBool()) {
        doc->setProperty(kWatched, true);
        QObject::connect(doc, &QTextDocument::contentsChanged, doc, [doc] { doc->setProperty(kShownText, QVariant()); });
    }
    doc->setProperty(kShownText, Text);
    doc->setProperty(kStoredText, Text);
    doc->setProperty(kShownRaw, doc->toRawText());
}

// Where each character of Raw (a document's raw text made from Stored as plain lines) starts in
// Stored, with Stored's length at the end; empty when Raw was not made from Stored that way.
QList<int> startsInStored(const QString &Stored, const QString &Raw)
{
    QList<int> starts;
    starts.reserve(Raw.size() + 1);
    int i = 0;
    for (const QChar c : Raw) {
        starts << i;
        if (i >= Stored.size())
            return {};
        const QChar s = Stored.at(i);
        if (c == kParagraph && s == QLatin1Char('\r'))
            i += (i + 1 < Stored.size() && Stored.at(i + 1) == QLatin1Char('\n')) ? 2 : 1;
        else if (c == s || (c == kParagraph && s == QLatin1Char('\n')))
            ++i;
        else
            return {};
    }
    if (i != Stored.size())
        return {};
    starts << i;
    return starts;
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
    remember(Edit, Text);
}

void PShowPlainText(QTextEdit *Edit, const QString &Text)
{
    Edit->setCurrentCharFormat(QTextCharFormat());
    Edit->setPlainText(Text);
    remember(Edit, Text);
}

QString PRichTextSource(const QTextEdit *Edit)
{
    const QVariant shown = Edit->document()->property(kShownText);
    return shown.isValid() ? shown.toString() : PRichTextOf(Edit);
}

QString PRichTextOf(const QTextEdit *Edit)
{
    const QTextDocument *doc = Edit->document();
    const QString raw = doc->toRawText();
    const QChar object = QChar::ObjectReplacementCharacter;
    if (!raw.contains(object))
        return doc->toHtml();
    // The writer drops a stretch holding an object character that stands for no object (a paste
    // brings them): such characters go out as a private character, then as a reference to U+FFFC.
    const QString html = doc->toHtml();
    QChar marker;
    for (ushort u = 0xE000; u < 0xF900 && marker.isNull(); ++u)
        if (!raw.contains(QChar(u)) && !html.contains(QChar(u)))
            marker = QChar(u);
    std::unique_ptr<QTextDocument> copy(doc->clone());
    for (int pos = raw.indexOf(object); pos >= 0; pos = raw.indexOf(object, pos + 1)) {
        QTextCursor c(copy.get());
        c.setPosition(pos);
        c.setPosition(pos + 1, QTextCursor::KeepAnchor);
        const QTextCharFormat format = c.charFormat();
        if (format.objectType() != QTextFormat::NoObject || format.isImageFormat())
            continue;
        c.insertText(QString(marker), format);
    }
    return copy->toHtml().replace(marker, QStringLiteral("&#65532;"));
}

QString PPlainTextSource(const QTextEdit *Edit)
{
    const QTextDocument *doc = Edit->document();
    const QVariant stored = doc->property(kStoredText);
    if (!stored.isValid())
        return Edit->toPlainText();
    const QString storedText = stored.toString();
    const QString shownRaw = doc->property(kShownRaw).toString();
    const QString raw = doc->toRawText();
    if (raw == shownRaw)
        return storedText;
    const QList<int> starts = startsInStored(storedText, shownRaw);
    if (starts.isEmpty())
        return Edit->toPlainText();  // shown formatted: only the plain text can be stored
    int prefix = 0;
    const int limit = qMin(raw.size(), shownRaw.size());
    while (prefix < limit && raw.at(prefix) == shownRaw.at(prefix))
        ++prefix;
    int suffix = 0;
    while (suffix < limit - prefix && raw.at(raw.size() - 1 - suffix) == shownRaw.at(shownRaw.size() - 1 - suffix))
        ++suffix;
    QString typed = raw.mid(prefix, raw.size() - prefix - suffix);
    typed.replace(kParagraph, QLatin1Char('\n')).replace(QChar(0x2028), QLatin1Char('\n'));
    return storedText.left(starts.at(prefix)) + typed + storedText.mid(starts.at(shownRaw.size() - suffix));
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
