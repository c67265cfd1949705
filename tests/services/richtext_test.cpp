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

// Object characters a paste brings stand for nothing: stored as rich text they come back, with
// every character around them and the emphasis on them.
TEST(StoredText, ObjectCharactersSurviveStoringAsRichText)
{
    const QChar obj = QChar::ObjectReplacementCharacter;
    struct Case {
        QString text;
        int boldFrom, boldTo;
    };
    const Case cases[] = {
        {QStringLiteral("One cherry.") + obj, 4, 10},
        {QString(obj) + obj + QStringLiteral("%a"), 3, 4},
        {QStringLiteral("x") + obj + QStringLiteral(" y\nz") + obj, 1, 3},
    };
    for (const Case &k : cases) {
        QTextEdit edit;
        PShowStoredText(&edit, k.text);
        QTextCursor c(edit.document());
        c.setPosition(k.boldFrom);
        c.setPosition(k.boldTo, QTextCursor::KeepAnchor);
        edit.setTextCursor(c);
        PEmphasise(&edit, EmphasisBold);
        const QString stored = PRichTextSource(&edit);
        ASSERT_TRUE(PIsRichTextSource(stored));
        QTextEdit back;
        PShowStoredText(&back, stored);
        EXPECT_EQ(back.toPlainText(), k.text);
        QTextCursor b(back.document());
        b.setPosition(k.boldTo);
        EXPECT_EQ(b.charFormat().fontWeight(), QFont::Bold) << k.text.toStdString();
        b.setPosition(k.boldFrom);
        EXPECT_NE(b.charFormat().fontWeight(), QFont::Bold) << k.text.toStdString();
    }
    // Without object characters the source is the edit's own.
    QTextEdit plain;
    plain.setPlainText(QStringLiteral("no objects"));
    EXPECT_EQ(PRichTextOf(&plain), plain.toHtml());
}

// A plain field keeps the form of every character the learner did not touch.
TEST(StoredText, PlainTextKeepsWhatWasNotTouched)
{
    const QString nbsp(QChar(0xA0)), ls(QChar(0x2028)), ps(QChar(0x2029));
    const QString stored = QStringLiteral("a\r\nb") + nbsp + QStringLiteral("c") + ls + QStringLiteral("d") + ps +
                           QStringLiteral("e\rf\n");
    struct Edit {
        const char *name;
        std::function<void(QTextEdit &)> apply;
        QString expected;
    };
    auto at = [](QTextEdit &e, int pos) {
        QTextCursor c(e.document());
        c.setPosition(pos);
        return c;
    };
    const Edit edits[] = {
        {"untouched", [](QTextEdit &) {}, stored},
        {"emphasis only",
         [](QTextEdit &e) {
             selectAll(e);
             PEmphasise(&e, EmphasisBold);
         },
         stored},
        {"typed and taken back",
         [&](QTextEdit &e) {
             at(e, 1).insertText(QStringLiteral("x"));
             QTextCursor c = at(e, 1);
             c.deleteChar();
         },
         stored},
        {"typed at the end",
         [](QTextEdit &e) {
             QTextCursor c(e.document());
             c.movePosition(QTextCursor::End);
             c.insertText(QStringLiteral("g"));
         },
         stored + QStringLiteral("g")},
        {"a line typed in the middle",
         [&](QTextEdit &e) { at(e, 4).insertText(QStringLiteral("X\nY")); },
         QStringLiteral("a\r\nb") + nbsp + QStringLiteral("X\nYc") + ls + QStringLiteral("d") + ps + QStringLiteral("e\rf\n")},
        {"a line end taken out",
         [&](QTextEdit &e) {
             QTextCursor c = at(e, 1);
             c.deleteChar();
         },
         QStringLiteral("ab") + nbsp + QStringLiteral("c") + ls + QStringLiteral("d") + ps + QStringLiteral("e\rf\n")},
    };
    for (const Edit &k : edits) {
        QTextEdit edit;
        PShowPlainText(&edit, QStringLiteral("an earlier word"));
        PShowPlainText(&edit, stored);
        k.apply(edit);
        EXPECT_EQ(PPlainTextSource(&edit), k.expected) << k.name;
    }
    // A rich text shown formatted and then changed can only be stored as its plain text.
    QTextEdit rich;
    PShowStoredText(&rich, boldSource(QStringLiteral("Look "), QStringLiteral("here.")));
    rich.textCursor().insertText(QStringLiteral("!"));
    EXPECT_EQ(PPlainTextSource(&rich), rich.toPlainText());
}
