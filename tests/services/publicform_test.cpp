#include "services/publicform.h"

#include "services/pronunciation.h"

#include <QPlainTextEdit>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {
QStringList headers(QTreeWidget *lv)
{
    QStringList out;
    for (int i = 0; i < lv->columnCount(); ++i)
        out << lv->headerItem()->text(i);
    return out;
}
}  // namespace

TEST(PublicForm, HoldsTheSharedListsMemoAndAnIdleMusicTimer)
{
    TPPublicForm form;
    EXPECT_EQ(PPublicForm, &form);
    EXPECT_FALSE(form.isVisible());

    auto *test = form.findChild<QTreeWidget *>(QStringLiteral("P_LVtest"));
    ASSERT_EQ(test, form.P_LVtest);
    EXPECT_EQ(headers(test), QStringList({"ID", "单词", "音标", "解释", "联想", "详解", "例句", "做过", "做错", "经验",
                                          "类别", "上次", "时间", "掌握"}));

    auto *mini = form.findChild<QTreeWidget *>(QStringLiteral("P_LVmini"));
    ASSERT_EQ(mini, form.P_LVmini);
    EXPECT_EQ(headers(mini), QStringList({"单词", "音标", "解释", "重复"}));
    EXPECT_EQ(mini->selectionMode(), QAbstractItemView::ExtendedSelection);

    EXPECT_EQ(form.findChild<QPlainTextEdit *>(QStringLiteral("P_Memo")), form.P_Memo);

    ASSERT_NE(form.TimerPlayMusic, nullptr);
    EXPECT_EQ(form.TimerPlayMusic->interval(), 9000);
    EXPECT_FALSE(form.TimerPlayMusic->enabled());
}

TEST(PublicForm, TheMusicTimerFollowsTheBackgroundMusic)
{
    TPPublicForm form;
    PPlayBackMusic(QStringLiteral("welcome"));
    EXPECT_TRUE(form.TimerPlayMusic->enabled());
    PStopBackMusic();
    EXPECT_FALSE(form.TimerPlayMusic->enabled());
}
