#include "services/untouchedtext.h"
#include "support/qstringprinter.h"

#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

// Every character a plain-text box gives back otherwise, next to ones it keeps.
const QString Odd = QStringLiteral("a\r\nb\rc\u00a0d\u2028e\u2029f\nx\tg\u200b\ufffch\ufdd0i\ufdd1j");

TEST(UntouchedText, TheShownTextIsWhatAPlainTextBoxGivesBack)
{
    QTextEdit box;
    box.setAcceptRichText(false);
    box.setPlainText(Odd);
    EXPECT_EQ(PShownPlainText(Odd), box.toPlainText());
}

struct Edit {
    const char *stored;
    const char *edited;
    const char *kept;
};

void PrintTo(const Edit &e, std::ostream *os) { *os << '"' << e.edited << '"'; }

class KeepUntouched : public ::testing::TestWithParam<Edit> {};

TEST_P(KeepUntouched, CharactersOutsideTheChangedStretchStayAsStored)
{
    EXPECT_EQ(PKeepUntouched(QString::fromUtf8(GetParam().stored), QString::fromUtf8(GetParam().edited)),
              QString::fromUtf8(GetParam().kept));
}

INSTANTIATE_TEST_SUITE_P(
    Edits, KeepUntouched,
    ::testing::Values(Edit{"a\r\nb\u00a0c\u2028d\u2029", "a\nb c\nd\n", "a\r\nb\u00a0c\u2028d\u2029"},
                      Edit{"a\r\nb", "xa\nb", "xa\r\nb"}, Edit{"a\r\nb", "a\nbx", "a\r\nbx"},
                      Edit{"p\r\nq r\r\ns", "p\nQ r\ns", "p\r\nQ r\r\ns"},
                      // One of two line breaks goes, the other stays as stored.
                      Edit{"a\r\n\r\nb", "a\nb", "a\r\nb"}, Edit{"a\rb", "a\nb", "a\rb"},
                      Edit{"one\u00a0two", "one two three", "one\u00a0two three"},
                      Edit{"one\u00a0two", "one  two", "one\u00a0 two"}, Edit{"x\u2028y", "", ""},
                      Edit{"", "new", "new"}, Edit{"\r\n", "\n\n", "\r\n\n"}));

}  // namespace
