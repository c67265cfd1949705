// The multiple-choice test's session without a window: questions by type, verdicts, give-up and
// regret, the end on the last question, and the one write-back.

#include "sessions/choicesession.h"

#include "rules/optionbuilder.h"
#include "rules/queuedrandom.h"
#include "vocab/bankvocab.h"

#include <gtest/gtest.h>

namespace {

const QString kToday = QStringLiteral("2026-03-10");
const QString kGiveUp = QStringLiteral("这题我放弃，请显示下一题");

TPChoiceRow row(int i, const QString &master)
{
    TPChoiceRow r;
    r.record.id = QString::number(100 + i);
    r.record.word = QStringLiteral("w%1").arg(i);
    r.record.explanation = QStringLiteral("释%1").arg(i);
    r.record.masterType = master;
    r.options = {QStringLiteral("释x"), QStringLiteral("释%1").arg(i), QStringLiteral("释y")};
    return r;
}

QList<TPChoiceRow> rows(int n)
{
    static const char *const masters[] = {"10", "01", "", "00", "11"};
    QList<TPChoiceRow> out;
    for (int i = 0; i < n; ++i)
        out << row(i, QString::fromUtf8(masters[i % 5]));
    return out;
}

struct TypeCase {
    const char *type;
    const char *question;
    const char *right;
    bool speak;
};
void PrintTo(const TypeCase &c, std::ostream *os) { PrintCase(os, c.type); }

class ChoiceType : public ::testing::TestWithParam<TypeCase> {};

TEST_P(ChoiceType, AsksWhatTheTypeShowsAndJudgesByTheRightText)
{
    const TypeCase c = GetParam();
    TPChoiceSession s;
    s.load(rows(2), 2);
    s.setType(QString::fromUtf8(c.type));
    QueuedRandom random({1});
    ASSERT_TRUE(s.start(random));
    const TPChoiceSession::Question q = s.question();
    EXPECT_EQ(q.question, QString::fromUtf8(c.question));
    EXPECT_EQ(q.rightText, QString::fromUtf8(c.right));
    EXPECT_EQ(q.speak, c.speak);
    EXPECT_EQ(q.options, (QStringList{"释x", "释1", "释y", "", "", ""}));
    EXPECT_EQ(s.number(), 1);
    const TPChoiceSession::Verdict v = s.choose(QString::fromUtf8(c.right), kToday, random);
    EXPECT_TRUE(v.right);
    EXPECT_EQ(v.question, QString::fromUtf8(c.question));
    EXPECT_FALSE(v.finished);
    EXPECT_EQ(s.number(), 2);
}

INSTANTIATE_TEST_SUITE_P(Types, ChoiceType,
                         ::testing::Values(TypeCase{"看英文选中文", "w1", "释1", false},
                                           TypeCase{"看中文选英文", "释1", "w1", false},
                                           TypeCase{"听英文选中文", "w1", "释1", true},
                                           TypeCase{"汉译英", "w1", "释1", false}));

// How the last question ends the test: an option (right or wrong) or giving up.
struct EndCase {
    const char *name;
    const char *lastAnswer;  // "right", "wrong" or "giveup"
    const char *lastMaster;  // w1 had "01"
    const char *lastResult;
};
void PrintTo(const EndCase &c, std::ostream *os) { *os << c.name; }

class ChoiceEnd : public ::testing::TestWithParam<EndCase> {};

TEST_P(ChoiceEnd, TheLastQuestionEndsTheTestHoweverItIsAnswered)
{
    const EndCase c = GetParam();
    TPChoiceSession s;
    s.load(rows(2), 2);
    s.setType(TestType::EnToCn);
    QueuedRandom random({0, 0});
    s.start(random);
    // w0 given up while more questions follow
    TPChoiceSession::Verdict v = s.choose(kGiveUp, kToday, random);
    EXPECT_FALSE(v.right);
    EXPECT_FALSE(v.finished);
    EXPECT_EQ(s.phase(), TPChoiceSession::Phase::Asking);
    ASSERT_EQ(s.question().question, QStringLiteral("w1"));
    const QString last = QString::fromUtf8(c.lastAnswer);
    v = s.choose(last == "right" ? QStringLiteral("释1") : last == "wrong" ? QStringLiteral("释x") : kGiveUp, kToday,
                 random);
    EXPECT_TRUE(v.taken);
    EXPECT_TRUE(v.finished);
    EXPECT_EQ(s.phase(), TPChoiceSession::Phase::Finished);
    EXPECT_EQ(s.question().question, QString()) << "no question after the last";
    EXPECT_FALSE(s.choose(QStringLiteral("释1"), kToday, random).taken) << "nothing after the end";
    ASSERT_EQ(s.answered().size(), 2);
    EXPECT_EQ(s.answered().at(0).masterType, QStringLiteral("00"));
    EXPECT_EQ(s.answered().at(1).masterType, QString::fromUtf8(c.lastMaster));
    EXPECT_EQ(s.answered().at(1).lastRight, QString::fromUtf8(c.lastResult));
    EXPECT_EQ(s.answered().at(1).lastTested, kToday);
    EXPECT_EQ(s.rightCount(), last == "right" ? 1 : 0);
    EXPECT_EQ(s.regretAllowed(), last == "right") << "a right last answer can still be taken back";
}

INSTANTIATE_TEST_SUITE_P(Ends, ChoiceEnd,
                         ::testing::Values(EndCase{"Right", "right", "11", "对"}, EndCase{"Wrong", "wrong", "10", "错"},
                                           EndCase{"GiveUp", "giveup", "10", "错"}),
                         [](const auto &info) { return std::string(info.param.name); });

TEST(ChoiceSession, RegretMakesTheLastRightAnswerWrongOnceAndKeepsTheRightCount)
{
    TPChoiceSession s;
    s.load(rows(3), 3);
    QueuedRandom random;
    EXPECT_FALSE(s.regret());
    s.start(random);
    s.choose(QStringLiteral("释0"), kToday, random);  // "10" -> "01"
    ASSERT_TRUE(s.regret());
    EXPECT_FALSE(s.regret());
    EXPECT_EQ(s.answered().at(0).masterType, QStringLiteral("00"));
    EXPECT_EQ(s.answered().at(0).lastRight, Code::Wrong);
    s.choose(QStringLiteral("释x"), kToday, random);
    EXPECT_FALSE(s.regret()) << "a wrong answer is no guess";
    EXPECT_EQ(s.rightCount(), 1);
    EXPECT_EQ(s.regretCount(), 1);
}

TEST(ChoiceSession, ShortOrEmptyQuestionTablesEndTheTestWhenTheQuestionsDo)
{
    TPChoiceSession none;
    none.load({}, 0);
    QueuedRandom random;
    EXPECT_FALSE(none.start(random));
    EXPECT_EQ(none.phase(), TPChoiceSession::Phase::Finished);

    TPChoiceSession shortTable;
    shortTable.load(rows(2), 7);
    shortTable.start(random);
    EXPECT_EQ(shortTable.total(), 7);
    EXPECT_EQ(shortTable.number(), 6) << "the title counts from the group's size";
    shortTable.choose(QStringLiteral("释0"), kToday, random);
    EXPECT_TRUE(shortTable.choose(QStringLiteral("释1"), kToday, random).finished);
    EXPECT_EQ(shortTable.rightCount(), 2);
}

TEST(ChoiceSession, WritesEachWordsResultsAndTheMasteredChangeInOneWriteBack)
{
    TPChoiceSession s;
    s.load(rows(4), 4);
    QueuedRandom random({3, 0, 1, 0});
    s.start(random);                                   // w3 "00"
    s.choose(QStringLiteral("释3"), kToday, random);  // -> "01": +1
    s.choose(QStringLiteral("释x"), kToday, random);  // w0 "10" -> "00"
    s.choose(QStringLiteral("释2"), kToday, random);  // w2 "" -> "1"
    s.choose(QStringLiteral("释x"), kToday, random);  // w1 "01" -> "10": -1
    const TPWriteBack w = s.writeBack(QStringLiteral("L"));
    QStringList lines;
    for (const TPWordWrite &ww : w.words) {
        QStringList f;
        for (const auto &p : ww.fields)
            f << p.first + QLatin1Char('=') + p.second;
        lines << ww.table + QLatin1Char('/') + ww.keyValue + QLatin1Char(':') + f.join(QLatin1Char(','));
    }
    const QString t = QStringLiteral(",最近测试时间=") + kToday + QStringLiteral(",掌握类型=");
    EXPECT_EQ(lines, (QStringList{"L/w3:上次是否做对=对" + t + "01", "TempTable/w3:上次是否做对=对",
                                  "L/w0:上次是否做对=错" + t + "00", "TempTable/w0:上次是否做对=错",
                                  "L/w2:上次是否做对=对" + t + "1", "TempTable/w2:上次是否做对=对",
                                  "L/w1:上次是否做对=错" + t + "10", "TempTable/w1:上次是否做对=错"}));
    EXPECT_EQ(w.learnerAdds, (QList<QPair<QString, qint64>>{{Col::MasteredCount, 0}}));
    for (const TPWordWrite &ww : w.words)
        EXPECT_EQ(ww.keyField, Col::Word);
}

}  // namespace
