#include "rules/articlewords.h"

#include "support/qstringprinter.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char *text;
    QStringList words;
};

void PrintTo(const Case &c, std::ostream *os) { *os << '"' << c.text << '"'; }

class ArticleWords : public ::testing::TestWithParam<Case> {};

TEST_P(ArticleWords, LettersMakeWordsAndEverythingElseSeparatesThem)
{
    QStringList words{QStringLiteral("left over")};
    const int n = PSplitArticleWords(QString::fromUtf8(GetParam().text), words);
    EXPECT_EQ(words, GetParam().words);
    EXPECT_EQ(n, words.size());
}

INSTANTIATE_TEST_SUITE_P(
    Texts, ArticleWords,
    ::testing::Values(Case{"Hello, world", {"Hello", "world"}}, Case{"你好，世界。", {}}, Case{"", {}},
                      Case{"a1b", {"a", "b"}}, Case{"e-mail", {"e", "mail"}}, Case{"don't", {"don", "t"}},
                      // Case as written, repetitions kept, a word at either end counted.
                      Case{"Go go GO", {"Go", "go", "GO"}}, Case{"x", {"x"}}, Case{"  end.", {"end"}},
                      // Letters beyond A-Z end a word like any other character.
                      Case{"café au lait", {"caf", "au", "lait"}}, Case{"中文English中文", {"English"}}));

}  // namespace
