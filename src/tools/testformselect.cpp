#include "tools/testformselect.h"

#include "vocab/bankvocab.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "core/listviews.h"
#include "platform/inifile.h"
#include "platform/speech.h"
#include "rules/answerhistory.h"
#include "rules/optionbuilder.h"
#include "rules/testsummary.h"
#include "services/pronunciation.h"
#include "services/utils.h"
#include "core/studycounters.h"
#include "tools/showwrongform.h"
#include "platform/windowlook.h"
#include "services/handovers.h"

#include <QCheckBox>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

TPTestFormSelect *PTestFormSelect = nullptr;

QString PChoiceTestType;
int PChoiceTotal = 0;
int PChoiceRemaining = 0;
int PChoiceIndex = 0;
int PChoiceRight = 0;
int PChoiceRegrets = 0;
int PChoiceSeconds = 0;


namespace {

namespace Opt = ModeCol::TestFormOption;

const QColor WrongColor(128, 128, 128);
const QColor RegretColor(192, 192, 192);
const QString Advice = QStringLiteral(
    "做题请忠实于自己的第一感觉，五秒内判断不出就应放弃该词，记不得却选对的单词要承认自己是蒙的");

QString testType()
{
    return PConfigIni->ReadString(Ini::VovaDereridu, Ini::TestType, TestType::EnToCn);
}

}  // namespace

TPTestFormSelect::TPTestFormSelect(QWidget *parent) : TPForm(parent), m_instance{PTestFormSelect, this}
{
    setObjectName(QStringLiteral("PTestFormSelect"));
    setWindowTitle(QStringLiteral("VovaDereridu - 单选测试"));
    setMinimumSize(696, 480);
    resize(696, 480);
    PSetFormColor(this, NamedColor::MoneyGreen);

    LBQuestion = PMakeLabel(this, QStringLiteral("LBQuestion"));
    LBQuestion->setFixedHeight(73);
    LBQuestion->setWordWrap(true);
    PSetPixelFont(LBQuestion, 21, QStringLiteral("SimSun"));
    PSetTextColor(LBQuestion, Qt::black);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedSize(605, 237);
    Panel1->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    PSetFormColor(Panel1, NamedColor::SkyBlue);
    // LB6 at the top, LB1 at the bottom.
    const int tops[6] = {198, 159, 120, 81, 42, 4};
    for (int i = 0; i < 6; ++i) {
        auto *box = new QLineEdit(Panel1);
        box->setObjectName(QStringLiteral("LB%1").arg(i + 1));
        box->setReadOnly(true);
        box->setFocusPolicy(Qt::NoFocus);
        box->setCursor(Qt::PointingHandCursor);
        box->setFrame(false);
        box->setStyleSheet(QStringLiteral("QLineEdit { border: 1px solid #808080; background: #c0dcc0; }"));
        box->setGeometry(22, tops[i], 560, 34);
        box->setMouseTracking(true);
        PSetPixelFont(box, 16, QStringLiteral("SimSun"));
        PSetTextColor(box, Qt::blue);
        box->installEventFilter(this);
        LB[i] = box;
    }

    Button1 = PMakeButton(this, QStringLiteral("Button1"), QStringLiteral("开始"));
    Button1->setFixedSize(129, 30);
    BTPregret = PMakeButton(this, QStringLiteral("BTPregret"), QStringLiteral("上题我蒙的，其实我没掌握"));
    BTPregret->setFixedSize(185, 25);
    BTPpass = PMakeButton(this, QStringLiteral("BTPpass"), QStringLiteral("这题我放弃，请显示下一题"));
    BTPpass->setFixedSize(185, 25);
    BTread = PMakeButton(this, QStringLiteral("BTread"), QStringLiteral("读"));
    BTread->setFixedSize(25, 25);
    CBBackMusic = new QCheckBox(QStringLiteral("背景音乐"), this);
    CBBackMusic->setObjectName(QStringLiteral("CBBackMusic"));
    CBBackMusic->setChecked(true);
    CBShowTestReport = new QCheckBox(QStringLiteral("错题回顾"), this);
    CBShowTestReport->setObjectName(QStringLiteral("CBShowTestReport"));
    CBShowTestReport->setChecked(true);
    LBTitle = PMakeLabel(this, QStringLiteral("LBTitle"), QStringLiteral("题目"));
    LBTestSumTime = PMakeLabel(this, QStringLiteral("LBTestSumTime"), QStringLiteral("用时"));
    LBHint = PMakeLabel(this, QStringLiteral("LBHint"), QStringLiteral("提示"));
    LBHint->setFixedHeight(66);
    LBHint->setWordWrap(true);
    PSetPixelFont(LBHint, 13, QStringLiteral("SimSun"));
    LBRightText = PMakeLabel(this, QStringLiteral("LBRightText"));
    LBRightText->hide();

    PListView = PMakeReportView(this, QStringLiteral("PListView"), {});
    PListView->hide();
    ListView1 = PMakeReportView(this, QStringLiteral("ListView1"),
                                {{QStringLiteral("id")}, {QStringLiteral("单词")}, {QStringLiteral("解释")},
                                 {QStringLiteral("上次")}, {QStringLiteral("最近时间")}, {QStringLiteral("掌握类型")}});
    ListView1->hide();

    auto *top = new QHBoxLayout;
    top->addWidget(LBTitle);
    top->addStretch();
    top->addWidget(CBBackMusic);
    top->addWidget(CBShowTestReport);
    top->addSpacing(12);
    top->addWidget(LBTestSumTime);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(Button1);
    buttons->addWidget(BTread);
    buttons->addStretch();
    buttons->addWidget(BTPregret);
    buttons->addWidget(BTPpass);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 6, 10, 6);
    layout->setSpacing(4);
    layout->addLayout(top);
    layout->addWidget(LBQuestion);
    layout->addWidget(Panel1, 0, Qt::AlignHCenter);
    layout->addLayout(buttons);
    layout->addWidget(LBHint);

    TimerTest = PPlayClock().newTimer(this, QStringLiteral("TimerTest"), 1000);
    TimerTest->OnTimer = [this] { PGuard([this] { TimerTestTimer(); }); };

    PConnect(Button1, &QPushButton::clicked, this, &TPTestFormSelect::Button1Click);
    PConnect(BTPpass, &QPushButton::clicked, this, &TPTestFormSelect::BTPpassClick);
    PConnect(BTPregret, &QPushButton::clicked, this, &TPTestFormSelect::BTPregretClick);
    PConnect(BTread, &QPushButton::clicked, this, &TPTestFormSelect::BTreadClick);
    PConnect(CBBackMusic, &QCheckBox::clicked, this, &TPTestFormSelect::CBBackMusicClick);

    PCenterOnScreen(this);
}

TPTestFormSelect::~TPTestFormSelect() = default;

bool TPTestFormSelect::eventFilter(QObject *watched, QEvent *e)
{
    for (QLineEdit *box : LB) {
        if (watched != box)
            continue;
        if (e->type() == QEvent::MouseButtonRelease && box->isEnabled()) {
            PGuard([&] { LB1Click(box); });
            return true;
        }
        if (e->type() == QEvent::MouseMove) {
            const int y = int(static_cast<QMouseEvent *>(e)->position().y());
            PGuard([&] { LB1MouseMove(box, y); });
        }
    }
    return TPForm::eventFilter(watched, e);
}

void TPTestFormSelect::FormActivate()
{
    PLoadFormBackground(this);
    PRandomize();
    PChoiceTotal = Pdatamodule->PGetCountFromTable(Tbl::TempTable);
    PChoiceTestType = testType();
    const int optionCount = PConfigIni->ReadInteger(Ini::VovaDereridu, Ini::OptionCount, 4);
    {
        const QSignalBlocker quiet(CBBackMusic);
        CBBackMusic->setChecked(PConfigIni->ReadBool(Ini::BackMusic, Ini::CanPlay, true));
    }
    PChoiceRight = 0;
    PChoiceSeconds = 0;
    PChoiceRegrets = 0;

    Button1->setText(QStringLiteral("开始"));
    Button1->setEnabled(true);
    TimerTest->setEnabled(false);
    for (QLineEdit *box : LB)
        box->clear();
    setOptionsEnabled(false);
    BTPregret->setEnabled(false);
    BTPpass->setEnabled(false);

    LBQuestion->setText(Advice);
    LBHint->clear();
    LBTestSumTime->setText(QStringLiteral("用时"));
    LBTitle->setText(QStringLiteral("题目"));
    PClearItems(ListView1);

    // As many boxes as the builder gave options, so no empty box can be picked.
    const int boxes = PClampOptionCount(optionCount, PChoiceTotal);
    for (int i = 0; i < 6; ++i)
        LB[i]->setVisible(i < boxes);
    const bool listening = PChoiceTestType == TestType::ListenToCn;
    LBQuestion->setVisible(!listening);
    BTread->setVisible(listening);

    POptionTableAndTempTabletoPlistview();
    // The questions are the rows loaded: a short OptionTable ends the test early, never reads past it.
    PChoiceRemaining = qMin(PChoiceTotal, PItemCount(PListView));
}

void TPTestFormSelect::POptionTableAndTempTabletoPlistview()
{
    PRefreshListView(PListView, Tbl::OptionTable, QString(), 0, Mode::TestFormOption);
}

void TPTestFormSelect::setOptionsEnabled(bool on)
{
    for (QLineEdit *box : LB)
        box->setEnabled(on);
}

void TPTestFormSelect::Pshowtext(int i)
{
    PChoiceTestType = testType();
    const QTreeWidgetItem *row = PItemAt(PListView, i);
    const QString word = PSubItem(row, PSub(Opt::Word));
    const QString meaning = PSubItem(row, PSub(Opt::Explanation));
    if (PChoiceTestType == TestType::CnToEn) {
        LBRightText->setText(word);
        LBQuestion->setText(meaning);
    } else {
        // Any other type asks the meaning of the word, as the options were built.
        LBRightText->setText(meaning);
        LBQuestion->setText(word);
        if (PChoiceTestType == TestType::ListenToCn)
            PSpeakWord(word);
    }
    for (int j = 0; j < 6; ++j)
        LB[j]->setText(PSubItem(row, PSub(Opt::Opt1 + j)));
}

void TPTestFormSelect::PDrawQuestion()
{
    PChoiceIndex = PRandom(PChoiceRemaining);
    Pshowtext(PChoiceIndex);
    --PChoiceRemaining;
    LBTitle->setText(QStringLiteral("第%1题，共%2题").arg(PChoiceTotal - PChoiceRemaining).arg(PChoiceTotal));
}

void TPTestFormSelect::Button1Click()
{
    if (Button1->text() == QStringLiteral("结束")) {
        PUpdateWordTable();
        Pendface();
        if (CBShowTestReport->isChecked())
            PShowSelectWrongList();
        close();
        return;
    }
    if (PChoiceRemaining <= 0) {
        // Nothing to ask: straight to the end.
        PChoiceRemaining = -1;
        Button1->setText(QStringLiteral("结束"));
        return;
    }
    PDrawQuestion();
    setOptionsEnabled(true);
    Button1->setEnabled(false);
    BTPpass->setEnabled(true);
    TimerTest->setEnabled(true);
    PPlayBackMusic(QStringLiteral("test"));
    PPlayMusicFile(QStringLiteral("test"));
}

void TPTestFormSelect::LB1Click(QLineEdit *Sender)
{
    if (PChoiceRemaining == 0) {
        TimerTest->setEnabled(false);
        Pchargeandchange(Sender->text());
        PChoiceRemaining = -1;
        Button1->setEnabled(true);
        Button1->setText(QStringLiteral("结束"));
        setOptionsEnabled(false);
        BTPpass->setEnabled(false);
    } else if (PChoiceRemaining > 0) {
        Pchargeandchange(Sender->text());
        PDrawQuestion();
    }
}

void TPTestFormSelect::BTPpassClick()
{
    if (PChoiceRemaining > 0) {
        Pchargeandchange(BTPpass->text());
        PDrawQuestion();
    }
}

void TPTestFormSelect::Pchargeandchange(const QString &Answer)
{
    const QString q = LBQuestion->text();
    const QString a = LBRightText->text();
    const bool right = Answer == a;
    if (right) {
        ++PChoiceRight;
        LBHint->setText(QStringLiteral("恭喜你，答对了！\n<") + q + QStringLiteral(">对应\n<") + a + QLatin1Char('>'));
        PSetFormColor(this, NamedColor::MoneyGreen);
        PLoadFormBackground(this);
    } else {
        LBHint->setText(QLatin1Char('<') + q + QStringLiteral(">\n对应<") + a + QStringLiteral(">\n而非<") + Answer +
                        QLatin1Char('>'));
        PSetFormColor(this, WrongColor);
    }
    BTPregret->setEnabled(right);
    PUpdatePlistview(PChoiceIndex, right);
    Plistviewtolistview1(PChoiceIndex);
}

void TPTestFormSelect::PUpdatePlistview(int i, bool Right)
{
    QTreeWidgetItem *row = PItemAt(PListView, i);
    PSetSubItem(row, PSub(Opt::LastTested), PTodayText());
    PSetSubItem(row, PSub(Opt::LastRight), Right ? Code::Right : Code::Wrong);
    PSetSubItem(row, PSub(Opt::MasterType), PShiftMasterType(PSubItem(row, PSub(Opt::MasterType)), Right));
}

void TPTestFormSelect::Plistviewtolistview1(int i)
{
    QTreeWidgetItem *row = PItemAt(PListView, i);
    PAddItem(ListView1, PCaption(row),
             {PSubItem(row, PSub(Opt::Word)), PSubItem(row, PSub(Opt::Explanation)),
              PSubItem(row, PSub(Opt::LastRight)), PSubItem(row, PSub(Opt::LastTested)),
              PSubItem(row, PSub(Opt::MasterType))});
    PRemoveItem(row);
}

// ListView1, the answered questions: the word's sub-items.
enum TPAnsweredSub { AnsWord, AnsMeaning, AnsLastRight, AnsLastTested, AnsMasterType };

void TPTestFormSelect::BTPregretClick()
{
    QTreeWidgetItem *last = PItemAt(ListView1, PItemCount(ListView1) - 1);
    if (!last)
        return;
    PSetSubItem(last, AnsMasterType, PRegretMasterType(PSubItem(last, AnsMasterType)));
    PSetSubItem(last, AnsLastRight, Code::Wrong);
    BTPregret->setEnabled(false);
    LBHint->clear();
    PSetFormColor(this, RegretColor);
    ++PChoiceRegrets;
}

void TPTestFormSelect::TimerTestTimer()
{
    ++PChoiceSeconds;
    LBTestSumTime->setText(QString::number(PChoiceSeconds) + QStringLiteral("秒"));
}

void TPTestFormSelect::BTreadClick()
{
    if (PSpVoice)
        PSpVoice->Speak(QStringLiteral("<LANG LANGID=\"409\">") + LBQuestion->text(), TSpVoice::SVSFlagsAsync);
}

void TPTestFormSelect::LB1MouseMove(QLineEdit *Sender, int Y)
{
    PSetTextColor(Sender, Y > 8 && Y < Sender->height() - 8 ? Qt::red : Qt::blue);
}

void TPTestFormSelect::CBBackMusicClick() { PBackMusicCheckClick(CBBackMusic); }

void TPTestFormSelect::PUpdateWordTable()
{
    for (int i = 0; i < PItemCount(ListView1); ++i) {
        const QTreeWidgetItem *item = PItemAt(ListView1, i);
        const QString word = PSubItem(item, AnsWord);
        try {
            // A word's three fields and its group row change together or not at all.
            JetTransaction t(Pdatamodule->PConnection);
            Pdatamodule->PUpdateOneDataFromTable(PCurrentTable, Col::Word, Col::LastRight, word, PSubItem(item, AnsLastRight));
            Pdatamodule->PUpdateOneDataFromTable(PCurrentTable, Col::Word, Col::LastTested, word, PSubItem(item, AnsLastTested));
            Pdatamodule->PUpdateOneDataFromTable(PCurrentTable, Col::Word, Col::MasterType, word, PSubItem(item, AnsMasterType));
            Pdatamodule->PUpdateOneDataFromTable(Tbl::TempTable, Col::Word, Col::LastRight, word, PSubItem(item, AnsLastRight));
            t.commit();
        } catch (const std::exception &) {
            PDialogs().message(QStringLiteral("词库更新失败"), QString(), Dialogs::Critical);
        }
    }
}

void TPTestFormSelect::Pendface()
{
    QStringList types;
    for (int i = 0; i < PItemCount(ListView1); ++i)
        types << PSubItem(PItemAt(ListView1, i), AnsMasterType);
    const int delta = PMasteredDelta(types);
    try {
        JetQuery &q = Pdatamodule->PQuery;
        Pdatamodule->PSelectAllFromTable(Tbl::UserTable);
        q.open();
        const int mastered = q.eof() ? 0 : q.fieldByName(Col::MasteredCount).toInt();
        q.close();
        Pdatamodule->PUpdateOneFieldFromTable(Tbl::UserTable, Col::MasteredCount, QString::number(mastered + delta));
    } catch (const std::exception &) {
        // The count is a nicety; the words are written already.
    }
    PStudyCounters().testSeconds += PChoiceSeconds;
    PDialogs().message(PSelectSummaryText(PChoiceRight, PChoiceRegrets, PChoiceTotal,
                                          PSecondsToText(PHandOvers().browseSeconds ? PHandOvers().browseSeconds() : 0), PSecondsToText(PChoiceSeconds)),
                       QString(), Dialogs::NoIcon);
}

void TPTestFormSelect::PShowSelectWrongList()
{
    QStringList words;
    try {
        JetQuery &q = Pdatamodule->PQuery;
        Pdatamodule->PSelectAllFromTable(Tbl::TempTable);
        q.open();
        for (; !q.eof(); q.next()) {
            if (q.fieldByName(Col::LastRight) == Code::Wrong)
                words << q.fieldByName(Col::Word);
        }
        q.close();
    } catch (const std::exception &) {
        Pdatamodule->PQuery.close();
        PDialogs().message(QStringLiteral("词库刷新出错"), QString(), Dialogs::Critical);
    }
    Pdatamodule->PDeleteAllFromTable(Tbl::TempTable);
    if (PShowWrongForm)
        PShowWrongWords(words);
}

void TPTestFormSelect::FormClose(TCloseAction &)
{
    TimerTest->setEnabled(false);
    Pdatamodule->PDeleteAllFromTable(Tbl::TempTable);
    Pdatamodule->PDeleteAllFromTable(Tbl::OptionTable);
    PStopBackMusic();
    PHandOver(PHandOvers().createForm);
}
