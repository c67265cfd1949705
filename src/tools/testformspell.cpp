#include "tools/testformspell.h"

#include "vocab/bankvocab.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "core/wordrecordread.h"
#include "core/listviews.h"
#include "core/wordlistops.h"
#include "platform/dialogs.h"
#include "platform/inifile.h"
#include "platform/playtimer.h"
#include "rules/answercheck.h"
#include "rules/experience.h"
#include "services/phonetic.h"
#include "services/pronunciation.h"
#include "services/utils.h"
#include "core/studycounters.h"
#include "tools/showwrongform.h"
#include "tools/testresults.h"
#include "platform/windowlook.h"
#include "services/handovers.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

TPTestFormSpell *PTestFormSpell = nullptr;

namespace {
using namespace ModeCol;

const QString kStart = QStringLiteral("开始");
const QString kEnd = QStringLiteral("结束");

// PLV1, the answered words: the caption is the ID, then the fields written back.
const QStringList &answeredColumns()
{
    static const QStringList f{Col::ID,         Col::Word,      Col::TimesDone, Col::TimesWrong,
                               Col::Experience, Col::LastRight, Col::LastTested};
    return f;
}

QLineEdit *lineBox(QWidget *parent, const char *name, bool readOnly)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setReadOnly(readOnly);
    return e;
}

QTextEdit *richBox(QWidget *parent, const char *name)
{
    auto *e = new QTextEdit(parent);
    e->setObjectName(QLatin1String(name));
    e->setReadOnly(true);
    e->hide();
    return e;
}

QCheckBox *checkBox(QWidget *parent, const char *name, const QString &caption)
{
    auto *c = new QCheckBox(caption, parent);
    c->setObjectName(QLatin1String(name));
    c->setFocusPolicy(Qt::NoFocus);
    return c;
}

// Example sentences are stored as rich text when a rich edit wrote them, else as plain lines.
void showStored(QTextEdit *box, const QString &text)
{
    if (text.startsWith(QStringLiteral("<!DOCTYPE HTML")))
        box->setHtml(text);
    else
        box->setPlainText(text);
}

int timeLimitMs(const QString &word) { return (int(word.size()) + 3) * 1000; }
}  // namespace

TPTestFormSpell::TPTestFormSpell(QWidget *parent) : TPForm(parent), m_instance(PTestFormSpell, this)
{
    setObjectName(QStringLiteral("PTestFormSpell"));
    setWindowTitle(QStringLiteral("RevuZudazod - 拼写测试"));
    PSetFormColor(this, NamedColor::MoneyGreen);
    setMinimumSize(696, 480);
    resize(696, 480);
    setKeyPreview(true);

    Button1 = PMakeButton(this, QStringLiteral("Button1"), kStart);
    PSetPixelFont(Button1, 27, QStringLiteral("LiSu"));
    Button1->setMinimumWidth(120);
    setDefaultButton(Button1);
    Penteredit = lineBox(this, "Penteredit", false);
    PSetPixelFont(Penteredit, 27);
    Penteredit->setAttribute(Qt::WA_InputMethodEnabled, false);
    Penteredit->setToolTip(QStringLiteral("拼写完毕点击 Enter 键即可"));
    PstaticText = lineBox(this, "PstaticText", true);
    PstaticText->hide();
    Edit2 = lineBox(this, "Edit2", true);
    PSetBoxColor(Edit2, NamedColor::SkyBlue);
    PSetPixelFont(Edit2, 16);
    Edit1 = lineBox(this, "Edit1", true);
    Edit3 = lineBox(this, "Edit3", true);
    Edit1->hide();
    Edit3->hide();
    Memo1 = richBox(this, "Memo1");
    Memo2 = richBox(this, "Memo2");
    LBhint = PMakeLabel(this, QStringLiteral("LBhint"));
    PSetPixelFont(LBhint, 19);
    LBhint->setWordWrap(true);
    LBhint->setMinimumHeight(52);
    Label1 = PMakeLabel(this, QStringLiteral("Label1"), QStringLiteral("时间限制已开启(F7)"));
    Label2 = PMakeLabel(this, QStringLiteral("Label2"), QStringLiteral("朗读当前单词(F8)"));
    Label3 = PMakeLabel(this, QStringLiteral("Label3"), QStringLiteral("反悔(Esc)"));
    Label4 = PMakeLabel(this, QStringLiteral("Label4"), QStringLiteral("朗读上一单词(F9)"));

    CheckBox1 = checkBox(this, "CheckBox1", QStringLiteral("解释(F1)"));
    CheckBox2 = checkBox(this, "CheckBox2", QStringLiteral("音标(F2)"));
    CheckBox3 = checkBox(this, "CheckBox3", QStringLiteral("联想(F3)"));
    CheckBox4 = checkBox(this, "CheckBox4", QStringLiteral("详解(F4)"));
    CheckBox5 = checkBox(this, "CheckBox5", QStringLiteral("例句(F5)"));
    CheckBox6 = checkBox(this, "CheckBox6", QStringLiteral("朗读(F6)"));
    CheckBox7 = checkBox(this, "CheckBox7", QStringLiteral("限时(F7)"));
    CBShowTestReport = checkBox(this, "CBShowTestReport", QStringLiteral("错题回顾"));
    CheckBox8 = checkBox(this, "CheckBox8", QStringLiteral("背景音乐"));
    // The states the boxes start in match what they show, so only a change runs an action.
    CheckBox1->setChecked(true);
    CheckBox8->setChecked(true);

    QList<TPColumn> testColumns;
    for (const QString &f : PModeFields(Mode::TestForm))
        testColumns << TPColumn{f, 60, false};
    PLV = PMakeReportView(this, QStringLiteral("PLV"), testColumns);
    PLV->hide();
    PLV1 = PMakeReportView(this, QStringLiteral("PLV1"),
                           {{QStringLiteral("ID")}, {QStringLiteral("单词")}, {QStringLiteral("做过")},
                            {QStringLiteral("做错")}, {QStringLiteral("经验")}, {QStringLiteral("上次")},
                            {QStringLiteral("时间")}});
    PLV1->hide();

    auto *options = new QGridLayout;
    const QList<QCheckBox *> boxes{CheckBox1, CheckBox2, CheckBox3, CheckBox4, CheckBox5,
                                   CheckBox6, CheckBox7, CBShowTestReport, CheckBox8};
    for (int i = 0; i < boxes.size(); ++i)
        options->addWidget(boxes[i], i / 5, i % 5);
    auto *answerRow = new QHBoxLayout;
    answerRow->addWidget(Penteredit, 1);
    answerRow->addWidget(Button1);
    auto *keys = new QHBoxLayout;
    for (QLabel *l : {Label1, Label2, Label3, Label4})
        keys->addWidget(l);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(options);
    layout->addWidget(Edit2);
    layout->addWidget(Edit1);
    layout->addWidget(Edit3);
    layout->addWidget(Memo1, 1);
    layout->addWidget(Memo2, 1);
    layout->addStretch();
    layout->addLayout(answerRow);
    layout->addLayout(keys);
    layout->addWidget(LBhint);
    // The window's font once its parts are made: a box made under a font lays its text out in it.
    PSetPixelFont(this, 13, QStringLiteral("SimSun"));

    Timer1 = PPlayClock().newTimer(this, QStringLiteral("Timer1"), 1000);
    Timer2 = PPlayClock().newTimer(this, QStringLiteral("Timer2"), 1000);
    TimerTest = PPlayClock().newTimer(this, QStringLiteral("TimerTest"), 1000);
    Timer1->OnTimer = [this] { PGuard([this] { Timer1Timer(); }); };
    Timer2->OnTimer = [this] { PGuard([this] { Timer2Timer(); }); };
    TimerTest->OnTimer = [this] { PGuard([this] { TimerTestTimer(); }); };

    // A box's action runs whenever its state changes: a click, its function key or loading it.
    const QList<std::pair<QCheckBox *, QWidget *>> shows{
        {CheckBox1, Edit2}, {CheckBox2, Edit1}, {CheckBox3, Edit3}, {CheckBox4, Memo1}, {CheckBox5, Memo2}};
    for (const auto &s : shows) {
        QWidget *shown = s.second;
        connect(s.first, &QCheckBox::toggled, shown, &QWidget::setVisible);
    }
    connect(CheckBox7, &QCheckBox::toggled, this, [this] { PGuard([this] { PApplyTimeLimit(); }); });
    connect(CheckBox8, &QCheckBox::toggled, this, [this] { PGuard([this] { PBackMusicCheckClick(CheckBox8); }); });
    PConnect(Button1, &QPushButton::clicked, this, &TPTestFormSpell::Button1Click);

    const QList<std::pair<int, QCheckBox *>> keysToBoxes{{Qt::Key_F1, CheckBox1}, {Qt::Key_F2, CheckBox2},
                                                         {Qt::Key_F3, CheckBox3}, {Qt::Key_F4, CheckBox4},
                                                         {Qt::Key_F5, CheckBox5}, {Qt::Key_F6, CheckBox6}};
    for (const auto &k : keysToBoxes) {
        QCheckBox *box = k.second;
        PBindKeyUp(k.first, [box] { box->toggle(); });
    }
    PBindKeyUp(Qt::Key_F7, [this] {
        CheckBox7->toggle();
        PApplyTimeLimit();
    });
    PBindKeyUp(Qt::Key_F8, [this] { PSpeakWord(PstaticText->text()); });
    PBindKeyUp(Qt::Key_F9, [this] { PSpeakWord(m_session.previousWord()); });

    PCenterOnScreen(this);
}

TPTestFormSpell::~TPTestFormSpell() = default;

void TPTestFormSpell::FormActivate()
{
    PLoadFormBackground(this);
    PRandomize();
    Button1->setText(kStart);
    Button1->setEnabled(true);
    Penteredit->setEnabled(false);
    for (TPlayTimer *t : {TimerTest.get(), Timer1.get(), Timer2.get()})
        t->setEnabled(false);
    for (QLineEdit *e : {PstaticText, Penteredit, Edit2, Edit3, Edit1})
        e->clear();
    Memo1->clear();
    Memo2->clear();
    LBhint->setText(QStringLiteral("做题时请忠实于自己的第一感觉，如果拼写对了但记不得意思，") + QLatin1Char('\n') +
                    QStringLiteral("请按键盘左上侧的“Esc”键表示自己仍然未掌握"));
    PLoadOptions();
    PLoadTempTable();
    PApplyPhoneticFont(Edit1);
}

void TPTestFormSpell::PLoadOptions()
{
    const QString &s = Ini::SpellTest;
    CheckBox1->setChecked(PConfigIni->ReadBool(s, Ini::ShowExplanation, true));
    CheckBox2->setChecked(PConfigIni->ReadBool(s, Ini::ShowPhoneticKey, false));
    CheckBox3->setChecked(PConfigIni->ReadBool(s, Ini::ShowAssociation, false));
    CheckBox4->setChecked(PConfigIni->ReadBool(s, Ini::ShowDetails, false));
    CheckBox5->setChecked(PConfigIni->ReadBool(s, Ini::ShowExample, false));
    CheckBox6->setChecked(PConfigIni->ReadBool(s, Ini::ShowSpeak, true));
    CheckBox7->setChecked(PConfigIni->ReadBool(s, Ini::ShowTimeLimit, false));
    CBShowTestReport->setChecked(PConfigIni->ReadBool(s, Ini::ShowTestReport, false));
    CheckBox8->setChecked(PConfigIni->ReadBool(Ini::BackMusic, Ini::CanPlay, true));
}

void TPTestFormSpell::PSaveOptions()
{
    const QString &s = Ini::SpellTest;
    PConfigIni->WriteBool(s, Ini::ShowExplanation, CheckBox1->isChecked());
    PConfigIni->WriteBool(s, Ini::ShowPhoneticKey, CheckBox2->isChecked());
    PConfigIni->WriteBool(s, Ini::ShowAssociation, CheckBox3->isChecked());
    PConfigIni->WriteBool(s, Ini::ShowDetails, CheckBox4->isChecked());
    PConfigIni->WriteBool(s, Ini::ShowExample, CheckBox5->isChecked());
    PConfigIni->WriteBool(s, Ini::ShowSpeak, CheckBox6->isChecked());
    PConfigIni->WriteBool(s, Ini::ShowTimeLimit, CheckBox7->isChecked());
    PConfigIni->WriteBool(s, Ini::ShowTestReport, CBShowTestReport->isChecked());
}

void TPTestFormSpell::PLoadTempTable()
{
    TPWordRecords group;
    try {
        group = PReadWordRecords(Tbl::TempTable);
    } catch (const EngineError &) {
        PDialogs().message(QStringLiteral("词库刷新出错"), QString(), Dialogs::Critical);
    }
    m_session.load(group);
    PShowRows();
}

// The hidden lists show the questions left and the words answered, as the session holds them.
void TPTestFormSpell::PShowRows()
{
    PShowRecords(PLV, m_session.left(), PModeFields(Mode::TestForm));
    PShowRecords(PLV1, m_session.answered(), answeredColumns());
}

void TPTestFormSpell::Button1Click()
{
    if (m_session.phase() == TPSpellSession::Phase::Finished) {
        PSaveResults();
        PShowExperience();
        if (CBShowTestReport->isChecked())
            PShowSpellWrongList();
        close();
        return;
    }
    // An empty group has nothing to ask.
    if (!m_session.start(PRandom()))
        return;
    PShowRows();
    Penteredit->setEnabled(true);
    Button1->setEnabled(false);
    Pshowtext();
    TimerTest->setEnabled(true);
    PPlayBackMusic(QStringLiteral("test"));
    PPlayMusicFile(QStringLiteral("test"));
}

void TPTestFormSpell::Pshowtext()
{
    const TPWordRecord *row = m_session.current();
    if (!row)
        return;
    PstaticText->setText(row->word);
    Edit1->setText(row->phonetic);
    PApplyPhoneticFont(Edit1);
    Edit2->setText(row->explanation);
    Edit3->setText(row->association);
    Memo1->setPlainText(row->details);
    showStored(Memo2, row->example);
    if (CheckBox6->isChecked())
        PSpeakWord(row->word);
    m_countdown = int(row->word.size());
    Timer2->setEnabled(CheckBox7->isChecked());
    Timer1->setEnabled(false);
    Timer1->setInterval(timeLimitMs(row->word));
    Timer1->setEnabled(CheckBox7->isChecked());
    Button1->setText(QString::number(m_session.left().size()));
    Penteredit->clear();
    Penteredit->setFocus();
}

void TPTestFormSpell::Timer2Timer()
{
    --m_countdown;
    if (m_countdown >= -3)
        Label1->setText(QStringLiteral("剩余时间：") + QString::number(m_countdown + 3));
}

void TPTestFormSpell::Timer1Timer() { PNextQuestion(); }

void TPTestFormSpell::TimerTestTimer() { m_session.tick(); }

void TPTestFormSpell::PApplyTimeLimit()
{
    if (!CheckBox7->isChecked()) {
        Label1->setText(QStringLiteral("时间限制已取消(F7)"));
        Timer1->setEnabled(false);
        Timer2->setEnabled(false);
    } else if (m_session.phase() == TPSpellSession::Phase::Ready) {
        Label1->setText(QStringLiteral("时间限制已开启(F7)"));
    } else {
        m_countdown = int(PstaticText->text().size());
        Timer1->setInterval(timeLimitMs(PstaticText->text()));
        Timer1->setEnabled(true);
        Timer2->setEnabled(true);
    }
}

void TPTestFormSpell::PNextQuestion()
{
    const TPSpellSession::Answer a = PCheckAnswer();
    if (!a.taken)
        return;
    if (a.finished) {
        Button1->setText(kEnd);
        Button1->setEnabled(true);
    } else {
        Pshowtext();
    }
}

// Hands the typed spelling to the session, which judges it, records it on the word and draws the
// next question; the window shows the verdict and moves the word's row to the answered list.
TPSpellSession::Answer TPTestFormSpell::PCheckAnswer()
{
    const int i = m_session.index();
    const TPSpellSession::Answer a = m_session.answer(Penteredit->text(), PTodayText(), PRandom());
    if (!a.taken)
        return a;
    PShowVerdict(a);
    PUpdatePLV(i);
    PLVtoPLV1(i);
    return a;
}

// Row i of the questions left takes the statistics the answer just gave its word.
void TPTestFormSpell::PUpdatePLV(int i)
{
    QTreeWidgetItem *item = PItemAt(PLV, i);
    if (!item || m_session.answered().isEmpty())
        return;
    const TPWordRecord &answered = m_session.answered().last();
    PSetSubItem(item, PSub(TestForm::TimesDone), answered.timesDone);
    PSetSubItem(item, PSub(TestForm::TimesWrong), answered.timesWrong);
    PSetSubItem(item, PSub(TestForm::Experience), answered.experience);
    PSetSubItem(item, PSub(TestForm::LastRight), answered.lastRight);
    PSetSubItem(item, PSub(TestForm::LastTested), answered.lastTested);
}

// Row i of the questions left goes to the end of the answered list, with the fields written back.
void TPTestFormSpell::PLVtoPLV1(int i)
{
    QTreeWidgetItem *item = PItemAt(PLV, i);
    if (!item)
        return;
    QStringList subs;
    for (int c : {TestForm::Word, TestForm::TimesDone, TestForm::TimesWrong, TestForm::Experience, TestForm::LastRight,
                  TestForm::LastTested})
        subs << PSubItem(item, PSub(c));
    PAddItem(PLV1, PCaption(item), subs);
    PRemoveItem(item);
}

void TPTestFormSpell::PShowVerdict(const TPSpellSession::Answer &A)
{
    if (A.right) {
        PSetFormColor(this, NamedColor::MoneyGreen);
        PLoadFormBackground(this);
        LBhint->clear();
    } else {
        PSetFormColor(this, NamedColor::Grey);
        LBhint->setText(QStringLiteral("上题正确拼写：") + A.word + QLatin1Char('\n') + QStringLiteral("上题您的拼写：") +
                        A.typed);
    }
}

bool TPTestFormSpell::eventFilter(QObject *watched, QEvent *e)
{
    if (Penteredit && watched == Penteredit && e->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(e)->key();
        if (key == Qt::Key_Escape) {
            PGuard([this] { PRegret(); });
            return true;
        }
        // While the button is enabled ("结束"), Enter is the button's.
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && !Button1->isEnabled()) {
            PGuard([this] { PNextQuestion(); });
            return true;
        }
    }
    return TPForm::eventFilter(watched, e);
}

void TPTestFormSpell::PRegret()
{
    if (m_session.regret()) {
        PShowRows();
        LBhint->setText(QStringLiteral("你按下了反悔按钮，上一题将被认为没做对，但不会扣经验。"));
        PSetFormColor(this, NamedColor::Silver);
    }
    if (m_session.left().isEmpty())
        Penteredit->setEnabled(false);
}

// The words' statistics and the lesson's experience in one write-back: a kill or a refusal never
// splits them.
void TPTestFormSpell::PSaveResults()
{
    m_total = PWriteTestResults(m_session.writeBack(PCurrentTable), Col::UserExperience);
}

void TPTestFormSpell::PShowExperience()
{
    const qint64 lesson = m_session.lessonExperience();
    PStudyCounters().experience += lesson;
    PStudyCounters().testSeconds += m_session.seconds();
    PDialogs().message(PSpellSummaryText(m_session.rightCount(), m_session.regretCount(), lesson, m_total), QString(),
                       Dialogs::NoIcon);
}

void TPTestFormSpell::PShowSpellWrongList() { PShowWrongWords(PTakeWrongWordsOfGroup()); }

void TPTestFormSpell::FormClose(TCloseAction &)
{
    PSaveOptions();
    PClearTempTable();
    PStopBackMusic();
    for (TPlayTimer *t : {Timer1.get(), Timer2.get(), TimerTest.get()})
        t->setEnabled(false);
    PHandOver(PHandOvers().createForm);
}
