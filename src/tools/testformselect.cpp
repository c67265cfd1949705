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
#include "tools/createtestunit.h"
#include "tools/showwrongform.h"
#include "tools/testresults.h"
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


namespace {

namespace Opt = ModeCol::TestFormOption;

const QColor WrongColor(128, 128, 128);
const QColor RegretColor(192, 192, 192);
void PKeepPlaceWhenHidden(QWidget *W)
{
    QSizePolicy p = W->sizePolicy();
    p.setRetainSizeWhenHidden(true);
    W->setSizePolicy(p);
}

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
    PKeepPlaceWhenHidden(BTread);
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
    // The listening test hides the question and shows "读": the rest stays where it was.
    PKeepPlaceWhenHidden(LBQuestion);
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
    const qint64 total = Pdatamodule->PGetCountFromTable(Tbl::TempTable);
    const QString type = testType();
    const int optionCount = PConfigIni->ReadInteger(Ini::VovaDereridu, Ini::OptionCount, 4);
    {
        const QSignalBlocker quiet(CBBackMusic);
        CBBackMusic->setChecked(PConfigIni->ReadBool(Ini::BackMusic, Ini::CanPlay, true));
    }

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

    // As many boxes as the builder gave options, so no empty box can be picked.
    const int boxes = PClampOptionCount(optionCount, int(qMin<qint64>(total, 1000)));
    for (int i = 0; i < 6; ++i)
        LB[i]->setVisible(i < boxes);
    const bool listening = type == TestType::ListenToCn;
    LBQuestion->setVisible(!listening);
    BTread->setVisible(listening);

    QList<TPChoiceRow> rows;
    try {
        rows = PReadOptionTable();
    } catch (const EngineError &) {
        PDialogs().message(QStringLiteral("词库刷新出错"), QString(), Dialogs::Critical);
    }
    m_session.load(rows, total);
    PShowRows();
}

// The hidden lists show the questions left and the words answered, as the session holds them.
void TPTestFormSelect::PShowRows()
{
    PListView->setUpdatesEnabled(false);
    PClearItems(PListView);
    for (const TPChoiceRow &r : m_session.left())
        PAddItem(PListView, r.record.id,
                 QStringList{r.record.word, r.record.explanation} + r.options +
                     QStringList{r.record.lastRight, r.record.lastTested, r.record.masterType});
    PListView->setUpdatesEnabled(true);
    static const QStringList answered{Col::ID,        Col::Word,       Col::Explanation,
                                      Col::LastRight, Col::LastTested, Col::MasterType};
    PShowRecords(ListView1, m_session.answered(), answered);
}

void TPTestFormSelect::setOptionsEnabled(bool on)
{
    for (QLineEdit *box : LB)
        box->setEnabled(on);
}

void TPTestFormSelect::Pshowtext()
{
    const TPChoiceSession::Question q = m_session.question();
    LBRightText->setText(q.rightText);
    LBQuestion->setText(q.question);
    if (q.speak)
        PSpeakWord(q.word);
    for (int j = 0; j < 6; ++j)
        LB[j]->setText(q.options.value(j));
    LBTitle->setText(QStringLiteral("第%1题，共%2题").arg(m_session.number()).arg(m_session.total()));
}

void TPTestFormSelect::Button1Click()
{
    if (m_session.phase() == TPChoiceSession::Phase::Finished) {
        PUpdateWordTable();
        Pendface();
        if (CBShowTestReport->isChecked())
            PShowSelectWrongList();
        close();
        return;
    }
    m_session.setType(testType());
    if (!m_session.start(PRandom())) {
        // Nothing to ask: straight to the end.
        Button1->setText(QStringLiteral("结束"));
        return;
    }
    Pshowtext();
    setOptionsEnabled(true);
    Button1->setEnabled(false);
    BTPpass->setEnabled(true);
    TimerTest->setEnabled(true);
    PPlayBackMusic(QStringLiteral("test"));
    PPlayMusicFile(QStringLiteral("test"));
}

void TPTestFormSelect::LB1Click(QLineEdit *Sender) { Pchargeandchange(Sender->text()); }

// Giving up is an answer that is never right, also on the last question.
void TPTestFormSelect::BTPpassClick() { Pchargeandchange(BTPpass->text()); }

void TPTestFormSelect::Pchargeandchange(const QString &Answer)
{
    // The type is read anew for each question drawn.
    m_session.setType(testType());
    const int i = m_session.index();
    const TPChoiceSession::Verdict v = m_session.choose(Answer, PTodayText(), PRandom());
    if (!v.taken)
        return;
    if (v.finished)
        TimerTest->setEnabled(false);
    PShowVerdict(v);
    PUpdatePlistview(i);
    Plistviewtolistview1(i);
    if (v.finished) {
        Button1->setEnabled(true);
        Button1->setText(QStringLiteral("结束"));
        setOptionsEnabled(false);
        BTPpass->setEnabled(false);
    } else {
        Pshowtext();
    }
}

// Question row i takes the last answer, test date and master type the session gave its word.
void TPTestFormSelect::PUpdatePlistview(int i)
{
    QTreeWidgetItem *item = PItemAt(PListView, i);
    if (!item || m_session.answered().isEmpty())
        return;
    const TPWordRecord &answered = m_session.answered().last();
    PSetSubItem(item, PSub(Opt::LastRight), answered.lastRight);
    PSetSubItem(item, PSub(Opt::LastTested), answered.lastTested);
    PSetSubItem(item, PSub(Opt::MasterType), answered.masterType);
}

// Question row i goes to the end of the answered list.
void TPTestFormSelect::Plistviewtolistview1(int i)
{
    QTreeWidgetItem *item = PItemAt(PListView, i);
    if (!item)
        return;
    QStringList subs;
    for (int c : {Opt::Word, Opt::Explanation, Opt::LastRight, Opt::LastTested, Opt::MasterType})
        subs << PSubItem(item, PSub(c));
    PAddItem(ListView1, PCaption(item), subs);
    PRemoveItem(item);
}

void TPTestFormSelect::PShowVerdict(const TPChoiceSession::Verdict &V)
{
    if (V.right) {
        LBHint->setText(QStringLiteral("恭喜你，答对了！\n<") + V.question + QStringLiteral(">对应\n<") + V.rightText +
                        QLatin1Char('>'));
        PSetFormColor(this, NamedColor::MoneyGreen);
        PLoadFormBackground(this);
    } else {
        LBHint->setText(QLatin1Char('<') + V.question + QStringLiteral(">\n对应<") + V.rightText +
                        QStringLiteral(">\n而非<") + V.answer + QLatin1Char('>'));
        PSetFormColor(this, WrongColor);
    }
    BTPregret->setEnabled(m_session.regretAllowed());
}

void TPTestFormSelect::BTPregretClick()
{
    if (!m_session.regret())
        return;
    PShowRows();
    BTPregret->setEnabled(false);
    LBHint->clear();
    PSetFormColor(this, RegretColor);
}

void TPTestFormSelect::TimerTestTimer()
{
    m_session.tick();
    LBTestSumTime->setText(QString::number(m_session.seconds()) + QStringLiteral("秒"));
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

// Every word's results and the mastered-word count in one write-back.
void TPTestFormSelect::PUpdateWordTable() { PWriteTestResults(m_session.writeBack(PCurrentTable), Col::MasteredCount); }

void TPTestFormSelect::Pendface()
{
    PStudyCounters().testSeconds += m_session.seconds();
    const qint64 browse = PHandOvers().browseSeconds ? PHandOvers().browseSeconds() : 0;
    // A window without buttons, titled with the program's title.
    PDialogs().ask(PSelectSummaryText(int(m_session.rightCount()), int(m_session.regretCount()), int(m_session.total()),
                                      PSecondsToText(browse), PSecondsToText(m_session.seconds())),
                   QString(), Dialogs::NoIcon, Dialogs::NoButtons);
}

void TPTestFormSelect::PShowSelectWrongList()
{
    const QStringList words = PTakeWrongWordsOfGroup();
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
