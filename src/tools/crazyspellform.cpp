#include "tools/crazyspellform.h"

#include "vocab/bankvocab.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "core/wordrecordread.h"
#include "core/writeback.h"
#include "platform/dialogs.h"
#include "platform/inifile.h"
#include "platform/linklabel.h"
#include "platform/playtimer.h"
#include "services/addresses.h"
#include "services/pronunciation.h"
#include "services/utils.h"
#include "services/webaccess.h"
#include "platform/windowlook.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

TPCrazySpellForm *PCrazySpellForm = nullptr;

namespace {
QLabel *label(QWidget *parent, const char *name, const QString &caption, const QColor &colour, int px)
{
    QLabel *l = PMakeLabel(parent, QLatin1String(name), caption);
    PSetTextColor(l, colour);
    PSetPixelFont(l, px);
    return l;
}

void setPointSize(QLabel *l, int pt)
{
    QFont f = l->font();
    f.setPointSize(pt);
    l->setFont(f);
    l->adjustSize();
}

bool isTyping(const QKeyEvent *e)
{
    const int k = e->key();
    return k == Qt::Key_Escape || k == Qt::Key_Return || k == Qt::Key_Enter || !e->text().isEmpty();
}
}  // namespace

TPCrazySpellForm::TPCrazySpellForm(QWidget *parent)
    : TPForm(parent, Qt::Window | Qt::FramelessWindowHint), m_instance(PCrazySpellForm, this)
{
    setObjectName(QStringLiteral("PCrazySpellForm"));
    setWindowTitle(QStringLiteral("狂拼到底"));
    PSetPixelFont(this, 13, QStringLiteral("SimSun"));
    PSetFormColor(this, Qt::black);
    setWindowState(Qt::WindowMaximized);
    setFocusPolicy(Qt::StrongFocus);

    LBStart = label(this, "LBStart", QStringLiteral("按任意键开始"), NamedColor::Red, 67);
    LBcontinue = label(this, "LBcontinue", QStringLiteral("游戏结束，按任意键继续"), NamedColor::Red, 67);
    LBmean = label(this, "LBmean", QString(), NamedColor::SkyBlue, 13);
    LBtime = label(this, "LBtime", QStringLiteral("剩余时间"), NamedColor::Green, 27);
    LBnum = label(this, "LBnum", QStringLiteral("剩余单词"), NamedColor::Green, 27);
    LBnum->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    LBSpellHint = label(this, "LBSpellHint", QStringLiteral("拼写提示"), NamedColor::SkyBlue, 21);
    LBRightWord = label(this, "LBRightWord", QString(), NamedColor::Olive, 27);
    LBrecord = label(this, "LBrecord", QString(), NamedColor::Olive, 21);
    // The two answer marks fly over everything else, placed by hand.
    LBEffectR = label(this, "LBEffectR", QStringLiteral("对"), NamedColor::Yellow, 13);
    LBEffectW = label(this, "LBEffectW", QStringLiteral("错"), NamedColor::Teal, 13);
    for (QLabel *l : {LBmean, LBStart, LBcontinue, LBRightWord, LBrecord})
        l->setAlignment(Qt::AlignCenter);

    MemoSpell = new QLineEdit(this);
    MemoSpell->setObjectName(QStringLiteral("MemoSpell"));
    MemoSpell->setAlignment(Qt::AlignCenter);
    MemoSpell->setAttribute(Qt::WA_InputMethodEnabled, false);
    MemoSpell->setToolTip(QStringLiteral("拼写完毕点击 Enter 键即可"));
    MemoSpell->setFrame(false);
    MemoSpell->setStyleSheet(QStringLiteral("QLineEdit { background: black; color: lime; }"));
    PSetPixelFont(MemoSpell, 27);
    MemoSpell->setMinimumWidth(400);

    SBCancel = new QToolButton(this);
    SBCancel->setObjectName(QStringLiteral("SBCancel"));
    SBCancel->setToolTip(QStringLiteral("返回(Esc)"));
    SBCancel->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton));
    SBCancel->setAutoRaise(true);
    SBCancel->setFocusPolicy(Qt::NoFocus);
    Label3 = new TLinkLabel(QStringLiteral("?"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setToolTip(QStringLiteral("操作帮助"));
    PSetTextColor(Label3, Qt::white);

    auto *top = new QHBoxLayout;
    top->addWidget(LBtime);
    top->addStretch();
    top->addWidget(LBnum);
    top->addWidget(Label3);
    top->addWidget(SBCancel);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addStretch(1);
    layout->addWidget(LBStart, 0, Qt::AlignHCenter);
    layout->addWidget(LBcontinue, 0, Qt::AlignHCenter);
    layout->addWidget(LBmean, 0, Qt::AlignHCenter);
    layout->addSpacing(24);
    layout->addWidget(MemoSpell, 0, Qt::AlignHCenter);
    layout->addWidget(LBSpellHint, 0, Qt::AlignHCenter);
    layout->addSpacing(24);
    layout->addWidget(LBRightWord, 0, Qt::AlignHCenter);
    layout->addWidget(LBrecord, 0, Qt::AlignHCenter);
    layout->addStretch(2);

    TimerTime = PPlayClock().newTimer(this, QStringLiteral("TimerTime"), 1000);
    TimerEffectS = PPlayClock().newTimer(this, QStringLiteral("TimerEffectS"), 10);
    TimerEffectR = PPlayClock().newTimer(this, QStringLiteral("TimerEffectR"), 20);
    TimerEffectW = PPlayClock().newTimer(this, QStringLiteral("TimerEffectW"), 5);
    TimerTime->OnTimer = [this] { PGuard([this] { TimerTimeTimer(); }); };
    TimerEffectS->OnTimer = [this] { PGuard([this] { TimerEffectSTimer(); }); };
    TimerEffectR->OnTimer = [this] { PGuard([this] { TimerEffectRTimer(); }); };
    TimerEffectW->OnTimer = [this] { PGuard([this] { TimerEffectWTimer(); }); };

    connect(SBCancel, &QToolButton::clicked, this, [this] { close(); });
    connect(Label3, &TLinkLabel::clicked, this,
            [] { PGuard([] { POpenUrl(Addr::HelpPage(QStringLiteral("crazyspell"))); }); });
    MemoSpell->installEventFilter(this);
}

TPCrazySpellForm::~TPCrazySpellForm() = default;

QString TPCrazySpellForm::currentWord() const { return m_session.currentWord().word; }

void TPCrazySpellForm::FormShow()
{
    // Without a window manager "maximised" means nothing: cover the work area ourselves.
    if (QScreen *s = screen() ? screen() : QGuiApplication::primaryScreen())
        setGeometry(s->availableGeometry());
}

void TPCrazySpellForm::FormActivate()
{
    m_session.resetRecord();
    PInitGame();
}

void TPCrazySpellForm::PInitGame()
{
    const QString table = PConfigIni->ReadString(Ini::CrazySpeller, Ini::CrazyTable, PCurrentTable);
    const QString rule = PConfigIni->ReadString(Ini::CrazySpeller, Ini::CrazyRule, QStringLiteral("本词表内全部单词"));
    PLoadWords(rule, table);
    MemoSpell->setEnabled(false);
    MemoSpell->clear();
    PSetTextColor(LBtime, NamedColor::Green);
    LBtime->setText(QStringLiteral("剩余时间"));
    LBnum->setText(QStringLiteral("剩余单词"));
    LBSpellHint->setText(QStringLiteral("拼写提示"));
    LBRightWord->clear();
    LBrecord->clear();
    LBStart->show();
    for (QLabel *l : {LBmean, LBcontinue, LBEffectR, LBEffectW})
        l->hide();
    setFocus();
}

void TPCrazySpellForm::PLoadWords(const QString &Rule, const QString &Table)
{
    TPWordRecords rows;
    try {
        rows = PReadWordRecords(Table);
    } catch (const EngineError &) {
        Pdatamodule->PQuery.clearSql();
        PDialogs().message(QStringLiteral("词库刷新出错"), QString(), Dialogs::Critical);
    }
    m_session.load(rows, Table, Rule, PTodayText());
}

void TPCrazySpellForm::keyPressEvent(QKeyEvent *e)
{
    if (m_session.phase() != TPCrazySpellSession::Phase::Playing && isTyping(e)) {
        PGuard([this, e] { FormKeyPress(e); });
        return;
    }
    TPForm::keyPressEvent(e);
}

void TPCrazySpellForm::FormKeyPress(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) {
        close();
        return;
    }
    if (m_session.phase() == TPCrazySpellSession::Phase::Ready) {
        m_session.start(PRandom());
        MemoSpell->setEnabled(true);
        MemoSpell->setFocus();
        LBStart->hide();
        LBmean->show();
        PNextWord();
        TimerTime->setEnabled(true);
    } else if (m_session.phase() == TPCrazySpellSession::Phase::Over) {
        PInitGame();
    }
}

void TPCrazySpellForm::PNextWord()
{
    // The session has drawn the word; this shows it.
    if (m_session.current() < 0)
        return;
    const TPWordRecord row = m_session.currentWord();
    LBmean->setText(row.explanation);
    setPointSize(LBmean, 10);
    MemoSpell->clear();
    TimerEffectS->setEnabled(true);
    LBSpellHint->setText(QStringLiteral("拼写提示：") + row.word.left(1));
    showCounts();
}

void TPCrazySpellForm::showCounts()
{
    LBnum->setText(QStringLiteral("剩余单词") + QString::number(m_session.count()) + QStringLiteral("个"));
}

bool TPCrazySpellForm::eventFilter(QObject *watched, QEvent *e)
{
    if (MemoSpell && watched == MemoSpell && e->type() == QEvent::KeyPress) {
        bool handled = false;
        PGuard([&] { MemoSpellKeyPress(static_cast<QKeyEvent *>(e), handled); });
        if (handled)
            return true;
    }
    return TPForm::eventFilter(watched, e);
}

void TPCrazySpellForm::MemoSpellKeyPress(QKeyEvent *e, bool &handled)
{
    const int k = e->key();
    if (k == Qt::Key_Escape) {
        handled = true;
        close();
    } else if (k == Qt::Key_Return || k == Qt::Key_Enter) {
        handled = true;
        answer();
    } else if (!e->text().isEmpty()) {
        PPlayEffect(QStringLiteral("press"));
    }
}

void TPCrazySpellForm::answer()
{
    if (m_session.current() < 0)
        return;  // nothing is being asked (an empty table)
    PSpeakWord(m_session.currentWord().word);
    const TPCrazySpellSession::Answer a = m_session.answer(MemoSpell->text(), PCurrentTable, PRandom());
    if (a.right) {
        PShowRightEffect();
        LBRightWord->clear();
        PPlayEffect(a.effect);
        if (m_session.phase() == TPCrazySpellSession::Phase::Over)
            PGameOver();
    } else {
        PShowWrongEffect();
        LBRightWord->setText(QStringLiteral("前一词：") + a.word);
        // A failing bank must not end the game: the learner is told and plays on.
        PWriteBackOrReport(a.write);
        PPlayEffect(a.effect);
    }
    PNextWord();
}

void TPCrazySpellForm::TimerTimeTimer()
{
    const bool over = m_session.tick();
    LBtime->setText(QStringLiteral("剩余时间") + QString::number(game().secondsLeft()) + QStringLiteral("秒"));
    if (game().lowOnTime())
        PSetTextColor(LBtime, NamedColor::Red);
    if (over) {
        PPlayEffect(QStringLiteral("fail"));
        PGameOver();
    }
}

void TPCrazySpellForm::PGameOver()
{
    // The session has ended the game (won, or out of time); this shows it.
    TimerTime->setEnabled(false);
    showCounts();
    LBrecord->setText(QStringLiteral("最高记录：剩余") + QString::number(game().record()) + QStringLiteral("秒"));
    MemoSpell->setEnabled(false);
    MemoSpell->clear();
    LBcontinue->show();
    setFocus();
}

void TPCrazySpellForm::centre(QLabel *Label)
{
    Label->adjustSize();
    Label->move((width() - Label->width()) / 2, (height() - Label->height()) / 2);
}

void TPCrazySpellForm::PShowRightEffect()
{
    m_session.effects().restartEffects();
    setPointSize(LBEffectR, 200);
    LBEffectR->show();
    LBEffectR->raise();
    centre(LBEffectR);
    TimerEffectR->setEnabled(true);
}

void TPCrazySpellForm::PShowWrongEffect()
{
    m_session.effects().restartEffects();
    setPointSize(LBEffectW, 100);
    LBEffectW->show();
    LBEffectW->raise();
    centre(LBEffectW);
    TimerEffectW->setEnabled(true);
}

void TPCrazySpellForm::TimerEffectSTimer()
{
    const bool ends = m_session.effects().effectTickEnds();
    setPointSize(LBmean, LBmean->font().pointSize() + 2);
    if (ends)
        TimerEffectS->setEnabled(false);
}

void TPCrazySpellForm::TimerEffectRTimer()
{
    const bool ends = m_session.effects().effectTickEnds();
    setPointSize(LBEffectR, LBEffectR->font().pointSize() - 10);
    centre(LBEffectR);
    if (ends) {
        LBEffectR->hide();
        TimerEffectR->setEnabled(false);
    }
}

void TPCrazySpellForm::TimerEffectWTimer()
{
    const bool ends = m_session.effects().effectTickEnds();
    setPointSize(LBEffectW, LBEffectW->font().pointSize() + 10);
    centre(LBEffectW);
    if (ends) {
        LBEffectW->hide();
        TimerEffectW->setEnabled(false);
    }
}

void TPCrazySpellForm::FormClose(TCloseAction &)
{
    if (PConfigIni->ReadString(Ini::CrazySpeller, Ini::CrazyTable, QString()) != Tbl::TempTable)
        PStopBackMusic();
    TimerTime->setEnabled(false);
    // The animations belong to this showing only.
    for (TPlayTimer *t : {TimerEffectS.get(), TimerEffectR.get(), TimerEffectW.get()})
        t->setEnabled(false);
    m_session.load({}, QString(), QString(), QString());
}
