// Building the answer options of a multiple-choice test from the study group.

#include "tools/createtestunit.h"

#include "vocab/bankvocab.h"
#include "platform/inifile.h"
#include "support/bankfixture.h"
#include "support/qstringprinter.h"

#include <QSet>

namespace {

struct Build {
    const char *name;
    int words;
    int optionSetting;
    const char *type;
    int options;           // options each question gets
    bool twiceStored;      // the first spelling stored twice
};

void PrintTo(const Build &b, std::ostream *os) { *os << b.name; }

class OptionTableBuild : public BankFixture, public ::testing::WithParamInterface<Build> {
protected:
    void SetUp() override
    {
        BankFixture::SetUp();
        PConfigIni->WriteString(Ini::Main, Ini::Tool, ToolName::MultipleChoice);
    }
    void group(int n, bool twice)
    {
        for (int i = 0; i < n; ++i) {
            const QString w = QStringLiteral("w%1").arg(i);
            addWord(Tbl::WordTable, w, QStringLiteral("释%1").arg(i));
            dm->PUpdateOneDataFromTable(Tbl::WordTable, Col::Word, Col::MasterType, w,
                                        i % 2 ? QStringLiteral("01") : QStringLiteral("10"));
        }
        if (twice)
            dm->PUpdateOneDataFromTable(Tbl::WordTable, Col::Word, Col::Word, QStringLiteral("w1"), QStringLiteral("w0"));
        dm->PMoveAll(Tbl::WordTable, Tbl::TempTable);
    }
    // Rows of a statement, each the values of the fields asked for.
    QList<QStringList> rows(const QString &sql, const QStringList &fields)
    {
        QList<QStringList> out;
        dm->PQuery.setSql(sql);
        dm->PQuery.open();
        for (; !dm->PQuery.eof(); dm->PQuery.next()) {
            QStringList r;
            for (const QString &f : fields)
                r << (dm->PQuery.hasField(f) ? dm->PQuery.fieldByName(f) : QString());
            out << r;
        }
        dm->PQuery.close();
        return out;
    }
    int nullOptions(int j)
    {
        return int(rows(QStringLiteral("select ID from OptionTable where POpt%1 is null").arg(j), {Col::ID}).size());
    }
};

TEST_P(OptionTableBuild, EveryQuestionOffersItsAnswerAmongOtherRows)
{
    const Build b = GetParam();
    group(b.words, b.twiceStored);
    PConfigIni->WriteString(Ini::VovaDereridu, Ini::TestType, QString::fromUtf8(b.type));
    PConfigIni->WriteInteger(Ini::VovaDereridu, Ini::OptionCount, b.optionSetting);
    PSeedRandom(11);
    PPrepareTest();

    const bool spellings = QString::fromUtf8(b.type) == TestType::CnToEn;
    QStringList fields{Col::ID, Col::Word, Col::Explanation, Col::MasterType, Col::LastRight, Col::LastTested};
    for (int j = 1; j <= 6; ++j)
        fields << Col::Option(j);
    const QList<QStringList> temp = rows(QStringLiteral("select * from TempTable order by ID"), fields);
    const QList<QStringList> opt = rows(QStringLiteral("select * from OptionTable order by ID"), fields);
    ASSERT_EQ(opt.size(), b.words);
    for (int i = 0; i < b.words; ++i) {
        SCOPED_TRACE(opt[i].join(QLatin1Char('|')).toStdString());
        EXPECT_EQ(opt[i].mid(0, 4), temp[i].mid(0, 4));
        EXPECT_EQ(opt[i].mid(4, 2), QStringList({QString(), QString()}));
        const QStringList options = opt[i].mid(6, b.options);
        const QString own = spellings ? temp[i][1] : temp[i][2];
        EXPECT_TRUE(options.contains(own));
        // Distinct rows: with distinct texts, distinct options drawn from the group.
        QSet<QString> others;
        for (int k = 0; k < b.words; ++k) {
            if (k != i)
                others << (spellings ? temp[k][1] : temp[k][2]);
        }
        for (const QString &o : options)
            EXPECT_TRUE(o == own || others.contains(o)) << o.toStdString();
        if (!spellings || !b.twiceStored) {
            EXPECT_EQ(QSet<QString>(options.begin(), options.end()).size(), b.options);
        }
    }
    for (int j = 1; j <= 6; ++j)
        EXPECT_EQ(nullOptions(j), j <= b.options ? 0 : b.words) << "POpt" << j;
    // What the test reads back is what was stored, every question with its options in place.
    const QList<TPChoiceRow> read = PReadOptionTable();
    ASSERT_EQ(read.size(), b.words);
    const QList<QStringList> stored = rows(QStringLiteral("select * from OptionTable"), fields);
    for (int i = 0; i < b.words; ++i) {
        EXPECT_EQ((QStringList{read[i].record.id, read[i].record.word, read[i].record.explanation,
                               read[i].record.masterType}),
                  stored[i].mid(0, 4));
        EXPECT_EQ(read[i].options, stored[i].mid(6, 6));
    }
    const TPOptionBuild prepared = PPrepareOptionTable();
    EXPECT_EQ(prepared.groupSize, b.words);
    EXPECT_EQ(prepared.group.size(), b.words);
    EXPECT_EQ(prepared.optionCount, b.optionSetting);
}

INSTANTIATE_TEST_SUITE_P(
    Groups, OptionTableBuild,
    ::testing::Values(Build{"SixWordsSixOptions", 6, 6, "看英文选中文", 6, false},
                      Build{"TenWordsFourOptions", 10, 4, "看英文选中文", 4, false},
                      Build{"Spellings", 8, 5, "看中文选英文", 5, false},
                      Build{"Listening", 7, 3, "听英文选中文", 3, false},
                      Build{"SpellingStoredTwice", 7, 6, "看中文选英文", 6, true},
                      Build{"MeaningOfASpellingStoredTwice", 7, 6, "看英文选中文", 6, true},
                      Build{"CountNine", 8, 9, "看英文选中文", 6, false},
                      Build{"GroupSmallerThanCount", 4, 6, "看英文选中文", 4, false},
                      Build{"UnknownType", 6, 4, "汉译英", 4, false}),
    [](const auto &info) { return std::string(info.param.name); });

TEST_F(OptionTableBuild, OtherToolsLeaveTheTableAlone)
{
    group(6, false);
    dm->PInsertOneRecordToTable(Tbl::OptionTable, Col::Word, QStringLiteral("old"));
    PConfigIni->WriteString(Ini::Main, Ini::Tool, QStringLiteral("传统拼写"));
    PPrepareTest();
    EXPECT_EQ(column(Tbl::OptionTable, Col::Word), QStringList({"old"}));
    PConfigIni->WriteString(Ini::Main, Ini::Tool, QStringLiteral("单项选择 "));
    PPrepareTest();
    EXPECT_EQ(column(Tbl::OptionTable, Col::Word), QStringList({"old"}));
}

TEST_F(OptionTableBuild, AFailedBuildKeepsTheOldTable)
{
    group(6, false);
    // An OptionTable without a sixth option column refuses every row of a six-option build.
    dm->PDropTable(Tbl::OptionTable, QString());
    dm->PQuery.setSql(QStringLiteral("create table OptionTable (ID integer,单词 string(100),解释 string(250),"
                                     "POpt1 string(250),POpt2 string(250),POpt3 string(250),POpt4 string(250),"
                                     "POpt5 string(250),掌握类型 string(50))"));
    dm->PQuery.execSql();
    dm->PInsertOneRecordToTable(Tbl::OptionTable, Col::Word, QStringLiteral("old"));
    PConfigIni->WriteInteger(Ini::VovaDereridu, Ini::OptionCount, 6);
    EXPECT_THROW(PPrepareTest(), EngineError);
    EXPECT_EQ(column(Tbl::OptionTable, Col::Word), QStringList({"old"}));
}

}  // namespace
