// The spelling test's session without a window: what each answer does to its word and to the
// lesson, regret, the order of questions, and the one write-back at the end.

#include "sessions/spellsession.h"

#include "rules/queuedrandom.h"
#include "vocab/bankvocab.h"

#include <gtest/gtest.h>
#include <limits>

namespace {

const QString kToday = QStringLiteral("2026-12-07");

TPWordRecord word(const QString &w, const QString &done, const QString &wrong, const QString &points)
{
    TPWordRecord r;
    r.id = QStringLiteral("id-") + w;
    r.word = w;
    r.explanation = QStringLiteral("释") + w;
    r.timesDone = done;
    r.timesWrong = wrong;
    r.experience = points;
    r.lastRight = QStringLiteral("old");
    r.lastTested = QStringLiteral("2020-01-01");
    return r;
}

// One answer on one word: the stored counters after it and the change to the lesson.
struct AnswerCase {
    const char *name;
    const char *done, *wrong, *points;
    const char *typed;
    bool right;
    const char *doneAfter, *wrongAfter, *pointsAfter;
    qint64 lesson;
};
void PrintTo(const AnswerCase &c, std::ostream *os) { *os << c.name; }

class SpellSessionAnswer : public ::testing::TestWithParam<AnswerCase> {};

TEST_P(SpellSessionAnswer, JudgesTheTypedTextAndRecordsItOnTheWord)
{
    const AnswerCase c = GetParam();
    TPSpellSession s;
    s.load({word(QStringLiteral("apple"), QString::fromUtf8(c.done), QString::fromUtf8(c.wrong),
                 QString::fromUtf8(c.points))});
    QueuedRandom random;
    ASSERT_TRUE(s.start(random));
    const TPSpellSession::Answer a = s.answer(QString::fromUtf8(c.typed), kToday, random);
    EXPECT_TRUE(a.taken);
    EXPECT_EQ(a.right, c.right);
    EXPECT_TRUE(a.finished);
    EXPECT_EQ(s.phase(), TPSpellSession::Phase::Finished);
    ASSERT_EQ(s.answered().size(), 1);
    const TPWordRecord &r = s.answered().at(0);
    EXPECT_EQ(r.timesDone, QString::fromUtf8(c.doneAfter));
    EXPECT_EQ(r.timesWrong, QString::fromUtf8(c.wrongAfter));
    EXPECT_EQ(r.experience, QString::fromUtf8(c.pointsAfter));
    EXPECT_EQ(r.lastRight, c.right ? Code::Right : Code::Wrong);
    EXPECT_EQ(r.lastTested, kToday);
    EXPECT_EQ(r.id, QStringLiteral("id-apple"));
    EXPECT_EQ(r.explanation, QStringLiteral("释apple"));
    EXPECT_EQ(a.word, QStringLiteral("apple"));
    EXPECT_EQ(a.typed, QString::fromUtf8(c.typed));
    EXPECT_EQ(s.lessonExperience(), c.lesson);
    EXPECT_EQ(s.rightCount(), c.right ? 1 : 0);
    EXPECT_TRUE(s.left().isEmpty());
    EXPECT_EQ(s.current(), nullptr);
    // nothing more to answer
    EXPECT_FALSE(s.answer(QStringLiteral("apple"), kToday, random).taken);
    EXPECT_EQ(s.answered().size(), 1);
}

INSTANTIATE_TEST_SUITE_P(
    Answers, SpellSessionAnswer,
    ::testing::Values(AnswerCase{"RightEarnsThePointsAndKeepsOneLess", "3", "1", "10", "apple", true, "4", "1", "9", 10},
                      AnswerCase{"CapitalsAreRight", "0", "0", "5", "APPLE", true, "1", "0", "4", 5},
                      AnswerCase{"ALeadingBlankIsWrong", "2", "2", "7", " apple", false, "3", "3", "7", -5}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SpellSession, AsksEveryWordOnceInTheDrawnOrderAndRemembersThePreviousWordAcrossTests)
{
    TPSpellSession s;
    const TPWordRecords group{word("a", "0", "0", "10"), word("b", "0", "0", "10"), word("c", "0", "0", "10"),
                              word("d", "0", "0", "10")};
    s.load(group);
    EXPECT_EQ(s.phase(), TPSpellSession::Phase::Ready);
    EXPECT_EQ(s.current(), nullptr);
    QueuedRandom random({2, 2, 0, 0});
    ASSERT_TRUE(s.start(random));
    EXPECT_FALSE(s.start(random)) << "a test starts once";
    QStringList asked, previous;
    while (const TPWordRecord *q = s.current()) {
        asked << q->word;
        s.answer(asked.size() % 2 ? q->word : QStringLiteral("x"), kToday, random);
        previous << s.previousWord();
    }
    EXPECT_EQ(asked, (QStringList{"c", "d", "a", "b"}));
    EXPECT_EQ(random.ranges, (QList<int>{4, 3, 2, 1}));
    // the previous word moves only when a further question follows
    EXPECT_EQ(previous, (QStringList{"c", "d", "a", "a"}));
    EXPECT_EQ(s.lessonExperience(), 10 + 10 - 5 - 5);
    s.load(group);
    EXPECT_EQ(s.previousWord(), QStringLiteral("a"));
    EXPECT_EQ(s.lessonExperience(), 0);
    EXPECT_TRUE(s.answered().isEmpty());

    TPSpellSession empty;
    empty.load({});
    EXPECT_FALSE(empty.start(random));
    EXPECT_EQ(empty.phase(), TPSpellSession::Phase::Ready);
}

// Counters at the top of 32 bits go on counting; a lesson past 64 bits is held at the end.
TEST(SpellSession, CountersNeverWrap)
{
    TPSpellSession s;
    const QString top = QStringLiteral("9223372036854775807");
    s.load({word("a", "2147483647", "2147483647", "5"), word("b", "0", "0", top), word("c", "0", "0", top)});
    QueuedRandom random;
    s.start(random);
    s.answer(QStringLiteral("no"), kToday, random);
    EXPECT_EQ(s.answered().at(0).timesDone, QStringLiteral("2147483648"));
    EXPECT_EQ(s.answered().at(0).timesWrong, QStringLiteral("2147483648"));
    EXPECT_EQ(s.lessonExperience(), -5);
    s.answer(QStringLiteral("b"), kToday, random);
    s.answer(QStringLiteral("c"), kToday, random);
    EXPECT_EQ(s.lessonExperience(), std::numeric_limits<qint64>::max());
    EXPECT_EQ(s.writeBack(QStringLiteral("L")).learnerAdds.value(0).second, std::numeric_limits<qint64>::max());
}

TEST(SpellSession, RegretTakesBackOnlyARightLastAnswerAndOnlyOnce)
{
    TPSpellSession s;
    s.load({word("a", "0", "0", "10"), word("b", "0", "0", "10")});
    QueuedRandom random;
    EXPECT_FALSE(s.regret()) << "nothing answered";
    s.start(random);
    s.answer(QStringLiteral("a"), kToday, random);
    ASSERT_TRUE(s.regret());
    EXPECT_FALSE(s.regret());
    EXPECT_EQ(s.answered().at(0).lastRight, Code::Wrong);
    EXPECT_EQ(s.answered().at(0).timesWrong, QStringLiteral("1"));
    EXPECT_EQ(s.answered().at(0).experience, QStringLiteral("9")) << "the point it lost stays lost";
    EXPECT_EQ(s.lessonExperience(), 10) << "the lesson keeps it";
    s.answer(QStringLiteral("no"), kToday, random);
    EXPECT_FALSE(s.regret()) << "a wrong answer cannot be taken back";
    EXPECT_EQ(s.rightCount(), 1);
    EXPECT_EQ(s.regretCount(), 1);
}

TEST(SpellSession, WritesEveryAnsweredWordWhollyInAnswerOrderWithTheLessonInOneWriteBack)
{
    TPSpellSession s;
    s.load({word("a", "1", "0", "10"), word("a", "1", "0", "10"), word("b", "0", "0", "3")});
    QueuedRandom random({0, 1, 0});
    s.start(random);
    s.answer(QStringLiteral("no"), kToday, random);  // the first a
    s.answer(QStringLiteral("b"), kToday, random);
    s.answer(QStringLiteral("a"), kToday, random);  // the second a
    for (int i = 0; i < 3; ++i)
        s.tick();
    const TPWriteBack w = s.writeBack(QStringLiteral("List1"));
    QStringList lines;
    for (const TPWordWrite &ww : w.words) {
        QStringList f;
        for (const auto &p : ww.fields)
            f << p.first + QLatin1Char('=') + p.second;
        lines << ww.table + QLatin1Char('/') + ww.keyField + QLatin1Char('=') + ww.keyValue + QLatin1Char(':') +
                     f.join(QLatin1Char(','));
    }
    const QString t = QStringLiteral("最近测试时间=") + kToday;
    EXPECT_EQ(lines, (QStringList{
                         "List1/单词=a:做过次数=2,做错次数=1,经验点数=10,上次是否做对=错," + t,
                         "TempTable/单词=a:上次是否做对=错",
                         "List1/单词=b:做过次数=1,做错次数=0,经验点数=2,上次是否做对=对," + t,
                         "TempTable/单词=b:上次是否做对=对",
                         "List1/单词=a:做过次数=2,做错次数=0,经验点数=9,上次是否做对=对," + t,
                         "TempTable/单词=a:上次是否做对=对",
                     }));
    EXPECT_EQ(w.learnerAdds, (QList<QPair<QString, qint64>>{{Col::UserExperience, -5 + 3 + 10}}));
    EXPECT_EQ(s.seconds(), 3);
}

}  // namespace
