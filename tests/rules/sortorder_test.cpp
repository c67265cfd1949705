#include "rules/sortorder.h"

#include <gtest/gtest.h>

namespace {

struct Order {
    const char *a;
    const char *b;
    int sign;  // of a compared with b
};
void PrintTo(const Order &c, std::ostream *os) { PrintCase(os, c.a, c.b); }

int sign(int v) { return (v > 0) - (v < 0); }

class SortOrder : public ::testing::TestWithParam<Order> {};

}  // namespace

// The comparison, the eight-byte prefix and the whole key must agree on every pair, or a list
// sorts differently depending on which path a comparison takes.
TEST_P(SortOrder, CompareKeyAndPrefixAgree)
{
    const Order o = GetParam();
    const QString a = QString::fromUtf8(o.a), b = QString::fromUtf8(o.b);
    EXPECT_EQ(sign(PCompareSortTexts(a, b)), o.sign) << o.a << " vs " << o.b;
    EXPECT_EQ(sign(PCompareSortTexts(b, a)), -o.sign);
    EXPECT_EQ(sign(PSortKey(a).compare(PSortKey(b))), o.sign);
    const quint64 pa = PSortPrefix(a), pb = PSortPrefix(b);
    if (pa != pb) {
        EXPECT_EQ(pa < pb ? -1 : 1, o.sign) << "prefixes disagree";
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, SortOrder,
    ::testing::Values(Order{"apple", "APPLE", 0}, Order{"apple", "Banana", -1}, Order{"Zebra", "apple", 1},
                      Order{"", "a", -1}, Order{"", "", 0}, Order{"app", "apple", -1},
                      Order{"10", "9", -1},                       // numbers as text
                      Order{"a_b", "aZb", 1},                     // '_' after the folded letters
                      Order{"阿姨", "爸爸", -1}, Order{"爸爸", "中国", -1},  // pinyin a, b, z
                      Order{"zoo", "阿", -1},                     // ASCII before Chinese
                      Order{"基本词", "基本词", 0},
                      Order{"abcdefghij", "ABCDEFGHIk", -1},      // differs beyond the prefix
                      Order{"单词单词单词x", "单词单词单词y", -1},
                      Order{"a\U0001F600", "a\U0001F601", -1}));  // a surrogate pair is one character
