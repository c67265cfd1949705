#include "tools/linkerform.h"

#include "vocab/bankvocab.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "core/wordrecordread.h"
#include "core/writeback.h"
#include "platform/dialogs.h"
#include "platform/clock.h"
#include "platform/inifile.h"
#include "platform/linklabel.h"
#include "services/addresses.h"
#include "services/pronunciation.h"
#include "services/handovers.h"
#include "services/utils.h"
#include "services/webaccess.h"
#include "tools/showwrongform.h"
#include "platform/windowlook.h"
#include "services/handovers.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TPLinkerForm *PLinkerForm = nullptr;


namespace {
constexpr int Size = TPMatchBoard::Size;
}  // namespace

TPLinkerForm::TPLinkerForm(QWidget *parent)
    : TPForm(parent, Qt::Window | Qt::MSWindowsFixedSizeDialogHint), m_instance{PLinkerForm, this}
{
    setObjectName(QStringLiteral("PLinkerForm"));
    setWindowTitle(QStringLiteral("词义配对"));
    setFixedSize(712, 392);
    PSetFormColor(this, NamedColor::MoneyGreen);

    Panel1 = new QFrame(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setFixedSize(673, 338);
    {
        // The board gives way to nothing when it hides: the row below stays where it was.
        QSizePolicy p = Panel1->sizePolicy();
        p.setRetainSizeWhenHidden(true);
        Panel1->setSizePolicy(p);
    }
    auto *grid = new QGridLayout(Panel1);
    m_wordGroup = new QButtonGroup(this);
    m_wordGroup->setExclusive(true);
    for (int i = 0; i < Size; ++i) {
        auto *word = PMakeButton(Panel1, QStringLiteral("En%1").arg(i + 1), QString());
        word->setFixedSize(216, 40);
        word->setCheckable(true);
        word->setCursor(Qt::PointingHandCursor);
        m_wordGroup->addButton(word);
        connect(word, &QPushButton::clicked, this, [this, i] { PGuard([&] { EnClick(i); }); });
        En[i] = word;

        auto *meaning = new QLineEdit(Panel1);
        meaning->setObjectName(QStringLiteral("LB%1").arg(i + 1));
        meaning->setReadOnly(true);
        meaning->setFixedSize(441, 40);
        meaning->setFocusPolicy(Qt::NoFocus);
        meaning->setCursor(Qt::PointingHandCursor);
        meaning->setContextMenuPolicy(Qt::NoContextMenu);
        PSetPixelFont(meaning, 16);
        PSetTextColor(meaning, Qt::blue);
        meaning->installEventFilter(this);
        LB[i] = meaning;

        // A pair found leaves its gap: the other words and meanings stay where the learner saw them.
        for (QWidget *w : {static_cast<QWidget *>(word), static_cast<QWidget *>(meaning)}) {
            QSizePolicy p = w->sizePolicy();
            p.setRetainSizeWhenHidden(true);
            w->setSizePolicy(p);
        }
        grid->addWidget(word, i, 0);
        grid->addWidget(meaning, i, 1);
    }
    Ch1 = PMakeButton(this, QStringLiteral("Ch1"), QString());
    Ch1->hide();

    LBcount = PMakeLabel(this, QStringLiteral("LBcount"));
    LBcount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    CBShowTestReport = new QCheckBox(QStringLiteral("错题回顾"), this);
    CBShowTestReport->setObjectName(QStringLiteral("CBShowTestReport"));
    CBShowTestReport->setChecked(true);
    CBBackMusic = new QCheckBox(QStringLiteral("背景音乐"), this);
    CBBackMusic->setObjectName(QStringLiteral("CBBackMusic"));
    LBhelp = new TLinkLabel(QStringLiteral("?"), this);
    LBhelp->setObjectName(QStringLiteral("LBhelp"));
    LBhelp->setToolTip(QStringLiteral("操作帮助"));

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(CBShowTestReport);
    bottom->addWidget(CBBackMusic);
    bottom->addWidget(LBhelp);
    bottom->addStretch();
    bottom->addWidget(LBcount);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Panel1, 0, Qt::AlignHCenter);
    layout->addLayout(bottom);
    // The fonts once the parts are made: a box made under a font lays its text out in it.
    PSetPixelFont(Panel1, 21);
    PSetPixelFont(this, 13, QStringLiteral("SimSun"));

    PConnect(CBBackMusic, &QCheckBox::clicked, this, &TPLinkerForm::CBBackMusicClick);
    PConnect(LBhelp, &TLinkLabel::clicked, this, &TPLinkerForm::LBhelpClick);

    PLoadFormBackground(this);
    PCenterOnScreen(this);
}

TPLinkerForm::~TPLinkerForm() = default;

bool TPLinkerForm::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::MouseButtonRelease) {
        for (int b = 0; b < Size; ++b) {
            if (watched == LB[b]) {
                PGuard([&] { LBClick(b); });
                return true;
            }
        }
    }
    return TPForm::eventFilter(watched, e);
}

void TPLinkerForm::FormActivate()
{
    const bool music = PConfigIni->ReadBool(Ini::BackMusic, Ini::CanPlay, true);
    if (CBBackMusic->isChecked() != music) {
        CBBackMusic->setChecked(music);
        CBBackMusicClick();
    }
    TPWordRecords list;
    try {
        list = PReadWordRecords(PCurrentTable);
    } catch (const EngineError &) {
        Pdatamodule->PQuery.clearSql();
        PDialogs().message(QStringLiteral("词库刷新出错"), QString(), Dialogs::Critical);
    }
    m_session.load(list, PToday(), PRandom());
    LBcount->setText(QStringLiteral("还剩 %1 词").arg(m_session.count()));
    PResetBoard();
    if (m_session.phase() == TPLinkerSession::Phase::TooFew)
        PDialogs().message(QStringLiteral("本词表已暂时找不到足够符合条件的单词"));
}

void TPLinkerForm::PResetBoard()
{
    // Without a board nothing of the last one shows, not even behind the message.
    if (m_session.phase() == TPLinkerSession::Phase::TooFew) {
        Panel1->hide();
        return;
    }
    // An exclusive group keeps one button pressed; a new board starts with none.
    m_wordGroup->setExclusive(false);
    for (int i = 0; i < Size; ++i) {
        En[i]->setChecked(false);
        En[i]->setText(board().word(i));
        En[i]->show();
        LB[i]->setText(board().box(i));
        LB[i]->show();
    }
    m_wordGroup->setExclusive(true);
    Panel1->show();
}

void TPLinkerForm::showClick(TPMatchBoard::Click Result)
{
    if (Result == TPMatchBoard::Click::Ignored)
        return;
    if (Result == TPMatchBoard::Click::Paired) {
        PPlayEffect(QStringLiteral("rightLink"));
        for (int i = 0; i < Size; ++i) {
            En[i]->setVisible(board().wordShown(i));
            LB[i]->setVisible(board().boxShown(i));
        }
    } else {
        PPlayEffect(QStringLiteral("wrongLink"));
    }
    if (m_session.phase() == TPLinkerSession::Phase::Complete)
        PRoundComplete();
}

void TPLinkerForm::EnClick(int k)
{
    PSpeakWord(board().word(k));
    showClick(m_session.clickWord(k));
}

void TPLinkerForm::LBClick(int b) { showClick(m_session.clickBox(b)); }

void TPLinkerForm::PRoundComplete()
{
    PPlayEffect(QStringLiteral("victory"));
    for (const QString &word : board().firstTryWords())
        PMarkWordKnown(word);
    PWriteBackOrReport(m_session.writeBack(PCurrentTable));
    if (CBShowTestReport->isChecked())
        PShowWrongWords();
    FormActivate();
}

// A word paired at the first try is known: the session records that on the word's row, and the
// board's write-back stores it.
void TPLinkerForm::PMarkWordKnown(const QString &Word) { m_session.markWordKnown(Word, PTodayText()); }

void TPLinkerForm::PShowWrongWords()
{
    if (PShowWrongForm)
        ::PShowWrongWords(m_session.retriedWords());
}

void TPLinkerForm::CBBackMusicClick() { PBackMusicCheckClick(CBBackMusic); }

void TPLinkerForm::LBhelpClick() { POpenUrl(Addr::HelpPage(QStringLiteral("linker"))); }

void TPLinkerForm::FormClose(TCloseAction &)
{
    PStopBackMusic();
    m_session.load({}, PToday(), PRandom());
    PHandOver(PHandOvers().studyToolSelectForm);
}
