#include "rules/matchboard.h"
#include "rules/queuedrandom.h"
#include "support/qstringprinter.h"

#include <gtest/gtest.h>

namespace {

const QDate kToday(2026, 3, 10);

struct Candidate {
    const char *master;
    const char *tested;
    bool plays;
};
void PrintTo(const Candidate &c, std::ostream *os) { PrintCase(os, c.master, c.tested); }

class MatchCandidate : public ::testing::TestWithParam<Candidate> {};

TEST_P(MatchCandidate, MasteredWordsRestThreeDays)
{
    const TPMatchRow row{"w", "m", QString::fromUtf8(GetParam().tested), QString::fromUtf8(GetParam().master)};
    EXPECT_EQ(PIsMatchCandidate(row, kToday), GetParam().plays);
}

INSTANTIATE_TEST_SUITE_P(
    Rows, MatchCandidate,
    ::testing::Values(Candidate{"11", "2026-03-08", false}, Candidate{"11", "2026-03-07", true},
                      Candidate{"11", "2026-03-10", false}, Candidate{"11", "2026-3-1", true},
                      Candidate{"11", "2026-03-12", false}, Candidate{"11", "", false}, Candidate{"11", "昨天", false},
                      Candidate{"01", "2026-03-10", true}, Candidate{"", "", true}, Candidate{"10", "坏", true}));

QVector<TPMatchRow> rows(int n, const QStringList &meanings = {})
{
    QVector<TPMatchRow> out;
    for (int i = 0; i < n; ++i)
        out.append({QStringLiteral("w%1").arg(i), i < meanings.size() ? meanings[i] : QStringLiteral("义%1").arg(i),
                    "2000-01-01", "00"});
    return out;
}

int boxOf(const TPMatchBoard &b, int k)
{
    for (int i = 0; i < TPMatchBoard::Size; ++i) {
        if (b.boxShown(i) && b.box(i) == b.wordMeaning(k))
            return i;
    }
    return -1;
}

int wordIndex(const TPMatchBoard &b, const QString &w)
{
    for (int k = 0; k < TPMatchBoard::Size; ++k) {
        if (b.word(k) == w)
            return k;
    }
    return -1;
}

TEST(MatchBoard, DealsTheLastSevenWithMeaningsShuffled)
{
    TPMatchBoard board;
    QueuedRandom random({0, 0, 0, 0, 0, 0, 0});
    board.deal(rows(9), random);
    ASSERT_TRUE(board.dealt());
    EXPECT_EQ(board.word(0), "w8");
    EXPECT_EQ(board.word(6), "w2");
    EXPECT_EQ(board.wordMeaning(6), "义2");
    // Draws of 0 put meaning 1 in box 7, then carry the last one forward each time.
    QStringList boxes;
    for (int i = 0; i < 7; ++i)
        boxes << board.box(i);
    EXPECT_EQ(boxes, QStringList({"义7", "义6", "义5", "义4", "义3", "义2", "义8"}));
    EXPECT_EQ(random.ranges, QList<int>({7, 6, 5, 4, 3, 2, 1}));

    board.deal(rows(6), random);
    EXPECT_FALSE(board.dealt());
    EXPECT_EQ(board.clickWord(0), TPMatchBoard::Click::Ignored);
}

TEST(MatchBoard, SevenFirstTryPairsCompleteTheBoard)
{
    TPMatchBoard board;
    PSeedRandom(3);
    board.deal(rows(7), PRandom());
    for (int k = 0; k < 7; ++k) {
        const int b = boxOf(board, k);
        // Either order pairs: words first on even turns, meanings first on odd ones.
        if (k % 2 == 0) {
            EXPECT_EQ(board.clickWord(k), TPMatchBoard::Click::Wrong);
            EXPECT_EQ(board.clickBox(b), TPMatchBoard::Click::Paired);
        } else {
            EXPECT_EQ(board.clickBox(b), TPMatchBoard::Click::Wrong);
            EXPECT_EQ(board.clickWord(k), TPMatchBoard::Click::Paired);
        }
        EXPECT_FALSE(board.wordShown(k));
        EXPECT_FALSE(board.boxShown(b));
        EXPECT_EQ(board.pairs(), k + 1);
        EXPECT_EQ(board.complete(), k == 6);
    }
    EXPECT_EQ(board.firstTryWords().size(), 7);
    EXPECT_TRUE(board.retriedWords().isEmpty());
    EXPECT_EQ(board.clickWord(0), TPMatchBoard::Click::Ignored);
}

TEST(MatchBoard, WrongPicksChargeBothWords)
{
    TPMatchBoard board;
    PSeedRandom(5);
    board.deal(rows(7), PRandom());
    const int a = 0, b = 1;
    board.clickWord(a);
    EXPECT_EQ(board.clickBox(boxOf(board, b)), TPMatchBoard::Click::Wrong);
    EXPECT_EQ(board.tries(b), 1);
    EXPECT_EQ(board.clickBox(boxOf(board, a)), TPMatchBoard::Click::Wrong);
    EXPECT_EQ(board.tries(b), 1);  // a meaning clicked after a meaning charges nobody
    EXPECT_EQ(board.clickWord(a), TPMatchBoard::Click::Paired);
    EXPECT_EQ(board.tries(a), 2);
    board.clickWord(b);
    board.clickBox(boxOf(board, b));
    EXPECT_EQ(board.tries(b), 2);

    // The same word clicked twice in a row costs it a try.
    const int c = 2;
    board.clickWord(c);
    board.clickWord(c);
    EXPECT_EQ(board.clickBox(boxOf(board, c)), TPMatchBoard::Click::Paired);
    for (int k = 3; k < 7; ++k) {
        board.clickWord(k);
        board.clickBox(boxOf(board, k));
    }
    ASSERT_TRUE(board.complete());
    EXPECT_EQ(board.retriedWords(), QStringList({"w6", "w5", "w4"}));
    EXPECT_EQ(board.firstTryWords(), QStringList({"w3", "w2", "w1", "w0"}));
}

// Words sharing a meaning, or with none, pair with any box of that text: every order finishes.
TEST(MatchBoard, SharedAndEmptyMeaningsNeverBlockTheBoard)
{
    const QStringList meanings{"同", "同", "", "", "甲", "乙", "丙"};
    for (quint32 seed = 1; seed <= 20; ++seed) {
        TPMatchBoard board;
        PSeedRandom(seed);
        board.deal(rows(7, meanings), PRandom());
        // Click the boxes in box order, each followed by the first unpaired word that fits it.
        for (int b = 0; b < 7; ++b) {
            ASSERT_EQ(board.clickBox(b), TPMatchBoard::Click::Wrong);
            int k = 0;
            while (!(board.wordShown(k) && board.wordMeaning(k) == board.box(b)))
                ++k;
            ASSERT_EQ(board.clickWord(k), TPMatchBoard::Click::Paired) << "seed " << seed << " box " << b;
        }
        EXPECT_TRUE(board.complete());
        EXPECT_EQ(board.firstTryWords().size(), 7);
    }
    // A wrong pick of a shared meaning charges a word still on the board, not one already paired.
    TPMatchBoard board;
    QueuedRandom random;
    board.deal(rows(7, meanings), random);
    const int first = wordIndex(board, "w0"), second = wordIndex(board, "w1"), other = wordIndex(board, "w4");
    board.clickWord(first);
    board.clickBox(boxOf(board, first));
    board.clickWord(other);
    board.clickBox(boxOf(board, second));
    EXPECT_EQ(board.tries(first), 1);
    EXPECT_EQ(board.tries(second), 1);
}

}  // namespace
