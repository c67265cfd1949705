// The wrong-answer review's session without a window: meanings toggled per row, ticks, the
// selection kept across a refill and reset by an activation or a move.

#include "sessions/reviewsession.h"

#include <gtest/gtest.h>

namespace {

QString shown(const TPReviewSession &s)
{
    QStringList out;
    for (int i = 0; i < s.rows().size(); ++i)
        out << s.rows().at(i).word + QLatin1Char('=') + s.rows().at(i).explanation +
                   (s.ticked(i) ? QStringLiteral("x") : QString());
    return out.join(QLatin1Char(' '));
}

TEST(ReviewSession, AMeaningShowsAndHidesPerRowAndAWordListedTwiceIsFoundTwice)
{
    TPReviewSession s;
    s.fill({"pear", "apple", "pear"});
    EXPECT_EQ(s.rowsOf("pear"), (QList<int>{0, 2}));
    EXPECT_TRUE(s.rowsOf("Pear").isEmpty()) << "letter case counts";
    ASSERT_TRUE(s.meaningHidden(2));
    s.toggleMeaning(2, "梨");
    EXPECT_FALSE(s.meaningHidden(2));
    s.toggleMeaning(2, "ignored");
    s.toggleMeaning(0, "梨");
    s.toggleMeaning(7, "x");
    EXPECT_EQ(shown(s), QStringLiteral("pear=梨 apple= pear="));
    EXPECT_FALSE(s.meaningHidden(7)) << "no row, nothing to look up";
}

TEST(ReviewSession, TicksInvertAndMoveOutAndTheSelectionFollowsTheRules)
{
    TPReviewSession s;
    s.fill({"a", "b", "c", "d"});
    s.select(3);
    s.fill({"a", "b", "c"});
    EXPECT_EQ(s.selected(), 3) << "a refill keeps the remembered row";
    EXPECT_EQ(s.selectedRow(), -1) << "which now lies past the list";
    s.activate();
    EXPECT_EQ(s.selectedRow(), 0);
    s.tick(1, true);
    s.invertTicks();
    EXPECT_EQ(shown(s), QStringLiteral("a=x b= c=x"));
    s.select(1);
    s.removeTicked();
    EXPECT_EQ(shown(s), QStringLiteral("b="));
    EXPECT_EQ(s.selected(), 0);
    s.tickAll();
    s.removeTicked();
    EXPECT_TRUE(s.rows().isEmpty());
    EXPECT_EQ(s.selectedRow(), -1);
}

}  // namespace
