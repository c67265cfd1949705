#include "wordlists/titlecreateform.h"

#include "support/qstringprinter.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <gtest/gtest.h>

namespace {

struct Case {
    const char *article;
    const char *caption;
    const char *list;
};

void PrintTo(const Case &c, std::ostream *os) { *os << '"' << c.article << '"'; }

class TitleCreateForm : public ::testing::TestWithParam<Case> {
protected:
    TPTitleCreateForm form;
};

TEST_P(TitleCreateForm, AnalyseListsTheWordsAndCountsThemInTheCaptionEachTimeAnew)
{
    EXPECT_EQ(PTitleCreateForm, &form);
    form.REArticle->setPlainText(QString::fromUtf8(GetParam().article));
    for (int press = 0; press < 2; ++press) {
        form.BtGotoBrowse->click();
        EXPECT_EQ(form.windowTitle(), QString::fromUtf8(GetParam().caption));
        EXPECT_EQ(form.Memo1->toPlainText(), QString::fromUtf8(GetParam().list));
    }
    EXPECT_EQ(form.Memo2->toPlainText(), QStringLiteral("Memo2"));
}

INSTANTIATE_TEST_SUITE_P(Articles, TitleCreateForm,
                         ::testing::Values(Case{"Hello, world", "2", "Hello\nworld"}, Case{"只有中文。", "0", ""},
                                           Case{"e-mail", "2", "e\nmail"}, Case{"don't", "2", "don\nt"}));

}  // namespace
