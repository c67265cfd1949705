#include "study/studytoolselectform.h"

#include "core/datamodule.h"
#include "study/createform.h"
#include "study/studyfixture.h"
#include "support/settle.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>

namespace {


QStringList items(const QComboBox *c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

class ToolChoice : public StudyFixture {
protected:
    void SetUp() override
    {
        StudyFixture::SetUp();
        form = std::make_unique<TPStudyToolSelectForm>();
        builder = std::make_unique<TPCreateForm>();
    }
    void TearDown() override
    {
        builder.reset();
        form.reset();
        StudyFixture::TearDown();
    }
    // Shown by another window of the program, as the welcome window does.
    void show()
    {
        handOverTo(form.get());
    }
    void addMany(const QString &T, int count)
    {
        JetTransaction t(dm->PConnection);
        addWords(T, count);
        t.commit();
    }

    std::unique_ptr<TPStudyToolSelectForm> form;
    std::unique_ptr<TPCreateForm> builder;
};

TEST_F(ToolChoice, FirstActivationShowsEachSettingsDefaultAndWritesOnlyWhatItChanged)
{
    addWords(Tbl::WordTable, 7);
    show();
    EXPECT_TRUE(form->RBNormalSpell->isChecked());
    EXPECT_EQ(items(form->CBCreateMode), QStringList({"遗忘曲线", "滚动产生", "最近优先", "最远优先", "随机产生"}));
    EXPECT_EQ(form->CBCreateMode->currentText(), QStringLiteral("最近优先"));
    EXPECT_EQ(form->SEGroupNum->value(), 12);
    EXPECT_EQ(form->CBSelectRule->currentText(), QStringLiteral("本词表内全部单词"));
    EXPECT_EQ(form->LBWordCount->text(), QStringLiteral("7词"));
    EXPECT_EQ(form->LBSelectedCount->text(), QStringLiteral("7词"));
    EXPECT_EQ(form->CBOptionNum->currentText(), QStringLiteral("4"));
    EXPECT_EQ(form->CBTestType->currentIndex(), -1);  // "汉译英" is none of its items
    EXPECT_EQ(form->CBRollRule1->currentText() + form->CBRollRule2->currentText() + form->CBRollRule3->currentText(),
              QStringLiteral("321"));
    EXPECT_EQ(items(form->CBRollRule1).join(QLatin1Char(',')), QStringLiteral("0,1,2,3,4,5,6,7,8,9,10,11,12,14,15"));
    EXPECT_EQ(form->CBWordTable->currentText(), Tbl::WordTable);

    EXPECT_EQ(ini(Ini::Main, Ini::Tool), QStringLiteral("传统拼写"));
    EXPECT_EQ(ini(Ini::Main, Ini::GroupSize), QStringLiteral("12"));
    for (const auto &[section, key] :
         {std::pair{Ini::Main, Ini::CreateMode}, std::pair{Ini::VovaDereridu, Ini::TestType},
          std::pair{Ini::VovaDereridu, Ini::OptionCount}, std::pair{Ini::RollRule, Ini::RollRound1},
          std::pair{Ini::CrazySpeller, Ini::CrazyRule}})
        EXPECT_EQ(ini(section, key), QStringLiteral("<none>")) << key.toStdString();

    form->CBTestType->setCurrentIndex(2);
    form->CBRollRule1->setCurrentIndex(13);
    form->CBCreateMode->setCurrentIndex(1);
    EXPECT_EQ(ini(Ini::VovaDereridu, Ini::TestType), QStringLiteral("听英文选中文"));
    EXPECT_EQ(ini(Ini::RollRule, Ini::RollRound1), QStringLiteral("14"));
    EXPECT_EQ(ini(Ini::Main, Ini::CreateMode), QStringLiteral("滚动产生"));
    EXPECT_TRUE(form->GBRollRule->isVisibleTo(form.get()));
    EXPECT_TRUE(dialogs->shown().isEmpty());
}

TEST_F(ToolChoice, EachToolOffersItsModesAndSettings)
{
    show();
    struct Case {
        QRadioButton *TPStudyToolSelectForm::*radio;
        QStringList modes;
        bool options, crazy, group;
        int maximum;
    };
    const QStringList common = {"最近优先", "最远优先", "随机产生"};
    const Case cases[] = {
        {&TPStudyToolSelectForm::RBSingleChose, QStringList({"智能产生"}) + common, true, false, true, 50},
        {&TPStudyToolSelectForm::RBCrazySpell, common, false, true, false, 500},
        {&TPStudyToolSelectForm::RBDirectCheck, common, false, false, false, 500},
        {&TPStudyToolSelectForm::RBConnect, common, false, false, false, 500},
        {&TPStudyToolSelectForm::RBFastRecall, common, false, false, false, 500},
        {&TPStudyToolSelectForm::RBNormalSpell, QStringList({"遗忘曲线", "滚动产生"}) + common, false, false, true, 500},
    };
    PConfigIni->WriteString(Ini::Main, Ini::CreateMode, QStringLiteral("滚动产生"));
    for (const Case &c : cases) {
        QRadioButton *radio = form.get()->*c.radio;
        SCOPED_TRACE(radio->text().toStdString());
        radio->click();
        EXPECT_EQ(ini(Ini::Main, Ini::Tool), radio->text());
        EXPECT_EQ(items(form->CBCreateMode), c.modes);
        EXPECT_EQ(form->CBCreateMode->currentText(), c.modes.contains("滚动产生") ? "滚动产生" : "");
        EXPECT_EQ(form->Panel1->isVisibleTo(form.get()), c.options);
        EXPECT_EQ(form->GBcrazy->isVisibleTo(form.get()), c.crazy);
        EXPECT_EQ(form->GBGroupNum->isVisibleTo(form.get()), c.group);
        EXPECT_EQ(form->GBCreateMode->isVisibleTo(form.get()), c.group);
        EXPECT_EQ(form->GBRollRule->isVisibleTo(form.get()), c.modes.contains("滚动产生"));
        EXPECT_EQ(form->SEGroupNum->maximum(), c.maximum);
    }
    form->RadioButton1->click();
    EXPECT_EQ(ini(Ini::Main, Ini::Tool), QStringLiteral("传统拼写"));
    form->Button6->click();
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(opened.isEmpty());
}

TEST_F(ToolChoice, AStoredModeTheToolDoesNotOfferStopsTheStart)
{
    addWords(Tbl::WordTable, 6);
    PConfigIni->WriteString(Ini::Main, Ini::CreateMode, QStringLiteral("智能产生"));
    show();
    EXPECT_EQ(form->CBCreateMode->currentText(), QString());
    form->Button6->click();
    EXPECT_EQ(dialogs->texts(), QStringList({"请选择一种产词模式"}));
    EXPECT_TRUE(form->isVisible());
    EXPECT_FALSE(builder->isVisible());

    form->CBCreateMode->setCurrentIndex(0);
    form->Button6->click();
    PSettleEvents();
    EXPECT_FALSE(form->isVisible());
    EXPECT_TRUE(builder->isVisible());
    EXPECT_EQ(builder->mode(), QStringLiteral("遗忘曲线"));
}

TEST_F(ToolChoice, AGroupSizeAboveTheNewMaximumIsClampedAndStoredAtOnce)
{
    PConfigIni->WriteInteger(Ini::Main, Ini::GroupSize, 100);
    PConfigIni->WriteString(Ini::Main, Ini::Tool, QStringLiteral("单项选择"));
    show();
    EXPECT_TRUE(form->RBSingleChose->isChecked());
    EXPECT_EQ(form->SEGroupNum->value(), 50);
    EXPECT_EQ(ini(Ini::Main, Ini::GroupSize), QStringLiteral("50"));
    form->RBNormalSpell->click();
    form->SEGroupNum->setValue(3);
    EXPECT_EQ(ini(Ini::Main, Ini::GroupSize), QStringLiteral("6"));
}

TEST_F(ToolChoice, AStoredGroupSizeOutsideTheLimitsIsStoredClampedAtEveryActivation)
{
    struct {
        const char *tool;
        int stored;
        const char *shown;
    } const table[] = {{"传统拼写", 3, "6"},   {"传统拼写", 3, "6"},   {"传统拼写", 600, "500"},
                       {"传统拼写", 600, "500"}, {"单项选择", 51, "50"},  {"单项选择", 51, "50"},
                       {"单项选择", -4, "6"}};
    for (const auto &t : table) {
        SCOPED_TRACE(std::string(t.tool) + " " + std::to_string(t.stored));
        PConfigIni->WriteString(Ini::Main, Ini::Tool, QString::fromUtf8(t.tool));
        PConfigIni->WriteInteger(Ini::Main, Ini::GroupSize, t.stored);
        form->hide();
        show();
        EXPECT_EQ(QString::number(form->SEGroupNum->value()), QLatin1String(t.shown));
        EXPECT_EQ(ini(Ini::Main, Ini::GroupSize), QLatin1String(t.shown));
    }
}

TEST_F(ToolChoice, ATypedGroupSizeTakesTheNearestLimit)
{
    PConfigIni->WriteString(Ini::Main, Ini::Tool, QStringLiteral("单项选择"));
    show();
    struct {
        const char *typed;
        const char *stored;
    } const table[] = {{"100", "50"}, {"17", "17"}, {"3", "6"}, {"9999", "50"}};
    for (const auto &t : table) {
        form->SEGroupNum->setFocus();
        form->SEGroupNum->selectAll();
        QTest::keyClicks(form->SEGroupNum, QLatin1String(t.typed));
        QTest::keyClick(form->SEGroupNum, Qt::Key_Tab);
        EXPECT_EQ(QString::number(form->SEGroupNum->value()), QLatin1String(t.stored)) << t.typed;
        EXPECT_EQ(ini(Ini::Main, Ini::GroupSize), QLatin1String(t.stored)) << t.typed;
    }
}

TEST_F(ToolChoice, CrazySpellCountsItsRuleAndNeedsSixWords)
{
    for (int i = 0; i < 9; ++i)
        addStudied(Tbl::WordTable, QStringLiteral("w%1").arg(i), 1, 0, QStringLiteral("对"),
                   i < 5 ? QStringLiteral("2026-12-07") : QStringLiteral("2026-12-06"),
                   i % 3 ? QStringLiteral("11") : QStringLiteral("01"));
    PConfigIni->WriteString(Ini::Main, Ini::Tool, QStringLiteral("狂拼到底"));
    PConfigIni->WriteString(Ini::CrazySpeller, Ini::CrazyRule, QStringLiteral("今日学过的单词"));
    show();
    EXPECT_EQ(form->PCountBySelectRule(QStringLiteral("本词表内全部单词")), QStringLiteral("9"));
    EXPECT_EQ(form->PCountBySelectRule(QStringLiteral("今日学过的单词")), QStringLiteral("5"));
    EXPECT_EQ(form->PCountBySelectRule(QStringLiteral("已掌握的单词")), QStringLiteral("6"));
    EXPECT_EQ(form->PCountBySelectRule(QStringLiteral("未掌握的单词")), QStringLiteral("3"));
    EXPECT_EQ(form->PCountBySelectRule(QStringLiteral("全部")), QString());
    EXPECT_EQ(form->LBSelectedCount->text(), QStringLiteral("5词"));

    form->Button6->click();
    EXPECT_EQ(dialogs->texts(), QStringList({"没有足够符合条件的单词"}));
    EXPECT_TRUE(opened.isEmpty());

    dm->PUpdateOneDataFromTable(Tbl::WordTable, Col::Word, Col::LastTested, QStringLiteral("w5"),
                                QStringLiteral("2026-12-07"));
    form->CBSelectRule->setCurrentIndex(2);
    form->CBSelectRule->setCurrentIndex(1);
    EXPECT_EQ(form->LBSelectedCount->text(), QStringLiteral("6词"));
    EXPECT_EQ(ini(Ini::CrazySpeller, Ini::CrazyRule), QStringLiteral("今日学过的单词"));
    form->Button6->click();
    EXPECT_EQ(opened, QStringList({"crazy"}));
    EXPECT_EQ(ini(Ini::CrazySpeller, Ini::CrazyTable), Tbl::WordTable);
    EXPECT_TRUE(form->isVisible());  // the game runs modally over it

    // A rule that is none of the four counts nothing, and nothing is not enough.
    PConfigIni->WriteString(Ini::CrazySpeller, Ini::CrazyRule, QStringLiteral("全部"));
    form->hide();
    show();
    dialogs->clear();
    form->Button6->click();
    EXPECT_EQ(dialogs->texts(), QStringList({"没有足够符合条件的单词"}));
}

TEST_F(ToolChoice, ToolsWithoutTheBuilderOpenDirectlyOrNotAtAll)
{
    addWords(Tbl::WordTable, 6);
    show();
    struct Case {
        QRadioButton *TPStudyToolSelectForm::*radio;
        const char *opened;
    };
    for (const Case &c : {Case{&TPStudyToolSelectForm::RBFastRecall, "recall"},
                          Case{&TPStudyToolSelectForm::RBConnect, "linker"},
                          Case{&TPStudyToolSelectForm::RBDirectCheck, "direct"}}) {
        SCOPED_TRACE(c.opened);
        opened.clear();
        (form.get()->*c.radio)->click();
        form->Button6->click();
        EXPECT_EQ(opened, QStringList({QLatin1String(c.opened)}));
        EXPECT_FALSE(form->isVisible());
        EXPECT_FALSE(builder->isVisible());
        show();
    }
    // A tool the program does not have yet: the window stays.
    PHandOvers().linkerForm = nullptr;
    form->RBConnect->click();
    form->Button6->click();
    EXPECT_TRUE(form->isVisible());
    EXPECT_TRUE(dialogs->shown().isEmpty());
}

TEST_F(ToolChoice, ChoosingAListMakesItCurrentAndWarnsAboveFiveHundredWords)
{
    for (const char *name : {"Big", "Edge"}) {
        dm->PCreateNewWordTable(Tbl::WordTable, QLatin1String(name), QStringLiteral("empty"));
        dm->PInsertOneRecordToTable(Tbl::TableNameTable, Col::TableName, QLatin1String(name));
    }
    addMany(QStringLiteral("Big"), 501);
    addMany(QStringLiteral("Edge"), 500);
    show();
    ASSERT_EQ(items(form->CBWordTable), QStringList({"WordTable", "Big", "Edge"}));
    form->CBWordTable->setCurrentIndex(2);
    EXPECT_TRUE(dialogs->shown().isEmpty());
    EXPECT_EQ(form->LBWordCount->text(), QStringLiteral("500词"));
    form->CBWordTable->setCurrentIndex(1);
    EXPECT_EQ(dialogs->texts(), QStringList({"此表单词数目过大，可能导致显示速度降低，建议减少到500以下"}));
    EXPECT_EQ(form->LBWordCount->text(), QStringLiteral("501词"));
    EXPECT_EQ(form->LBSelectedCount->text(), QStringLiteral("501词"));
    EXPECT_EQ(dm->PGetOneDataFromTable(Col::CurrentList, Tbl::UserTable, Col::ID, QStringLiteral("1")),
              QStringLiteral("Big"));
}

}  // namespace
