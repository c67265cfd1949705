#include "support/qstringprinter.h"
#include "services/richtext.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <functional>

#include <gtest/gtest.h>

namespace {

// Rich text as another edit wrote it: one bold word.
QString boldSource(const QString &plain, const QString &bold)
{
    QTextEdit writer;
    writer.setPlainText(plain);
    QTextCursor c = writer.textCursor();
    c.movePosition(QTextCursor::End);
    QTextCharFormat f;
    f.setFontWeight(QFont::Bold);
    c.insertText(bold, f);
    return writer.toHtml();
}

void selectAll(QTextEdit &edit)
{
    QTextCursor c = edit.textCursor();
    c.select(QTextCursor::Document);
    edit.setTextCursor(c);
}

struct Change {
    const char *name;
    std::function<void(QTextEdit &)> apply;
};

}  // namespace

// What was shown and left alone is stored back byte for byte, plain lines included.
TEST(StoredText, AnUntouchedTextIsStoredBackExactlyAsItCame)
{
    const QString rich = boldSource(QStringLiteral("Look "), QStringLiteral("here."));
    // Rich text with a comment Qt would not write back: only a copy of what came keeps it.
    const QString richWithExtra = QString(rich).replace(QStringLiteral("<body"), QStringLiteral("<!-- kept --><body"));
    for (const QString &stored : {QStringLiteral("A line.\n一行。"), QString(), rich, richWithExtra}) {
        QTextEdit edit;
        PShowStoredText(&edit, QStringLiteral("an earlier word"));
        PShowStoredText(&edit, stored);
        EXPECT_EQ(PRichTextSource(&edit), stored);
    }
}

// Any change, of text or of emphasis, stores the edit's own rich text again.
TEST(StoredText, AnyChangeStoresTheRichTextOfWhatTheEditHolds)
{
    const Change changes[] = {
        {"typed", [](QTextEdit &e) { e.textCursor().insertText(QStringLiteral(" More.")); }},
        {"emphasised",
         [](QTextEdit &e) {
             selectAll(e);
             PEmphasise(&e, EmphasisBoldRed);
         }},
        {"replaced from a fetch",
         [](QTextEdit &e) {
             e.clear();
             e.insertPlainText(QStringLiteral("Fetched."));
         }},
    };
    for (const Change &change : changes) {
        QTextEdit edit;
        PShowStoredText(&edit, QStringLiteral("A line."));
        change.apply(edit);
        const QString source = PRichTextSource(&edit);
        EXPECT_TRUE(PIsRichTextSource(source)) << change.name;
        EXPECT_EQ(source, edit.toHtml()) << change.name;
    }
}

// The caret's bold at the end of one word's sentences must not reach the next word's plain lines.
TEST(StoredText, PlainTextAfterEmphasisIsPlain)
{
    QTextEdit edit;
    PShowStoredText(&edit, boldSource(QStringLiteral("Look "), QStringLiteral("here.")));
    edit.moveCursor(QTextCursor::End);
    ASSERT_EQ(edit.currentCharFormat().fontWeight(), QFont::Bold);
    PShowStoredText(&edit, QStringLiteral("plain"));
    edit.moveCursor(QTextCursor::End);
    edit.textCursor().insertText(QStringLiteral(" typed"));
    QTextCursor c(edit.document());
    c.movePosition(QTextCursor::End);
    EXPECT_NE(c.charFormat().fontWeight(), QFont::Bold);
    EXPECT_FALSE(edit.toHtml().contains(QStringLiteral("font-weight:700")));
}
