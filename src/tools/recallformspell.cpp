#include "tools/recallformspell.h"

#include "vocab/bankvocab.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "core/wordrecordread.h"
#include "core/writeback.h"
#include "platform/dialogs.h"
#include "platform/linklabel.h"
#include "services/addresses.h"
#include "services/pronunciation.h"
#include "services/utils.h"
#include "services/webaccess.h"
#include "platform/windowlook.h"
#include "platform/windowkit.h"
#include "services/handovers.h"

#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

TPRecallFormSpell *PRecallFormSpell = nullptr;

namespace {
QFrame *panel(QWidget *parent, const char *name)
{
    auto *f = new QFrame(parent);
    f->setObjectName(QLatin1String(name));
    return f;
}

// A question panel: its prompt over its buttons.
QFrame *question(QWidget *parent, const char *name, const QString &prompt, QList<QPushButton *> buttons)
{
    QFrame *f = panel(parent, name);
    auto *v = new QVBoxLayout(f);
    v->setContentsMargins(0, 0, 0, 0);
    // Without a prompt the buttons still stand where the other panels have theirs.
    if (prompt.isEmpty())
        v->addStretch();
    else
        v->addWidget(new QLabel(prompt, f), 0, Qt::AlignHCenter);
    auto *h = new QHBoxLayout;
    h->addStretch();
    for (QPushButton *b : buttons) {
        b->setParent(f);
        h->addWidget(b);
    }
    h->addStretch();
    v->addLayout(h);
    return f;
}

}  // namespace

TPRecallFormSpell::TPRecallFormSpell(QWidget *parent) : TPForm(parent), m_instance(PRecallFormSpell, this)
{
    setObjectName(QStringLiteral("PRecallFormSpell"));
    setWindowTitle(QStringLiteral("Lexorin - 速忆复习器"));
    setFixedSize(436, 219);
    PSetFormColor(this, NamedColor::MoneyGreen);

    Panel4 = panel(this, "Panel4");
    Panel4->setFrameShape(QFrame::StyledPanel);
    Panel4->setAutoFillBackground(true);
    PSetFormColor(Panel4, NamedColor::SkyBlue);

    LBWord = PMakeLabel(Panel4, QStringLiteral("LBWord"));
    LBWord->setAlignment(Qt::AlignCenter);
    QFont big = LBWord->font();
    big.setPointSize(20);
    LBWord->setFont(big);
    // The label keeps the width the window gives it, whatever the word; the font gives way instead.
    LBWord->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    Label3 = PMakeLinkLabel(Panel4, QStringLiteral("Label3"), QStringLiteral("?"));
    Label3->setToolTip(QStringLiteral("操作帮助"));
    Label3->setCursor(Qt::PointingHandCursor);

    Panel5 = panel(Panel4, "Panel5");
    EDmean = PNamed(new QLineEdit(Panel5), QStringLiteral("EDmean"));
    EDmean->setReadOnly(true);
    QFont mean = EDmean->font();
    mean.setPointSize(12);
    EDmean->setFont(mean);
    SBfind = PMakePictureButton(Panel5, "SBfind", QStyle::SP_FileDialogContentsView, QStringLiteral("查该词详细解释"));
    SBSpeak = PMakePictureButton(Panel5, "SBSpeak", QStyle::SP_MediaVolume, QStringLiteral("朗读"));
    auto *answer = new QHBoxLayout(Panel5);
    answer->setContentsMargins(0, 0, 0, 0);
    answer->addWidget(EDmean, 1);
    answer->addWidget(SBfind);
    answer->addWidget(SBSpeak);

    BitBtnYes = PMakeButton(this, QStringLiteral("BitBtnYes"), QStringLiteral("是"));
    BitBtnNo = PMakeButton(this, QStringLiteral("BitBtnNo"), QStringLiteral("否"));
    BitBtnRight = PMakeButton(this, QStringLiteral("BitBtnRight"), QStringLiteral("【正确】"));
    BitBtnWrong = PMakeButton(this, QStringLiteral("BitBtnWrong"), QStringLiteral("【错误】"));
    BitBtn5 = PMakeButton(this, QStringLiteral("BitBtn5"), QStringLiteral("继续"));
    Panel1 = question(Panel4, "Panel1", QStringLiteral("是否还记得该词意思？"), {BitBtnYes, BitBtnNo});
    Panel2 = question(Panel4, "Panel2", QStringLiteral("刚才的判断是否正确？"), {BitBtnRight, BitBtnWrong});
    Panel3 = question(Panel4, "Panel3", QString(), {BitBtn5});

    auto *top = new QHBoxLayout;
    top->addSpacing(16);
    top->addWidget(LBWord, 1);
    top->addWidget(Label3, 0, Qt::AlignTop);
    // The three question panels take turns in one place.
    auto *questions = new QGridLayout;
    for (QFrame *p : {Panel1, Panel2, Panel3})
        questions->addWidget(p, 0, 0);
    auto *inner = new QVBoxLayout(Panel4);
    inner->addLayout(top, 1);
    inner->addWidget(Panel5);
    inner->addLayout(questions);
    // The meaning and the question panels keep their room while hidden: the word, the meaning
    // and the buttons stay where they are as the panels take turns.
    for (QFrame *p : {Panel5, Panel1, Panel2, Panel3}) {
        QSizePolicy keep = p->sizePolicy();
        keep.setRetainSizeWhenHidden(true);
        p->setSizePolicy(keep);
    }

    PBar = PNamed(new QProgressBar(this), QStringLiteral("PBar"));
    PBar->setTextVisible(false);
    PBar->setFixedHeight(6);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 2);
    layout->addWidget(Panel4, 1);
    layout->addWidget(PBar);

    PConnect(BitBtnYes, &QPushButton::clicked, this, &TPRecallFormSpell::BitBtnYesClick);
    PConnect(BitBtnNo, &QPushButton::clicked, this, &TPRecallFormSpell::BitBtnNoClick);
    PConnect(BitBtnRight, &QPushButton::clicked, this, &TPRecallFormSpell::BitBtnRightClick);
    PConnect(BitBtnWrong, &QPushButton::clicked, this, &TPRecallFormSpell::BitBtnWrongClick);
    PConnect(BitBtn5, &QPushButton::clicked, this, &TPRecallFormSpell::BitBtn5Click);
    PConnect(SBfind, &QToolButton::clicked, this, &TPRecallFormSpell::SBfindClick);
    PConnect(SBSpeak, &QToolButton::clicked, this, &TPRecallFormSpell::SBSpeakClick);
    PConnect(Label3, &TLinkLabel::clicked, this, &TPRecallFormSpell::Label3Click);

    PLoadFormBackground(this);
    PCenterOnScreen(this);
}

TPRecallFormSpell::~TPRecallFormSpell() = default;

void TPRecallFormSpell::render()
{
    using P = TPRecallSession::Phase;
    const P phase = m_session.phase();
    Panel1->setVisible(phase == P::Asking);
    Panel2->setVisible(phase == P::Judging);
    Panel3->setVisible(phase == P::Told);
    Panel5->setVisible(phase == P::Judging || phase == P::Told);
    PBar->setMaximum(m_session.progressMaximum());
    PBar->setValue(std::min(m_session.index(), PBar->maximum()));
}

void TPRecallFormSpell::fitWord()
{
    // A long word is shown whole: the font shrinks from its 20 points until the word fits.
    QFont f = LBWord->font();
    f.setPointSize(20);
    const int room = LBWord->contentsRect().width() - 2 * LBWord->margin() - 4;
    while (f.pointSize() > 6 && QFontMetrics(f).horizontalAdvance(LBWord->text()) > room)
        f.setPointSize(f.pointSize() - 1);
    LBWord->setFont(f);
}

void TPRecallFormSpell::resizeEvent(QResizeEvent *e)
{
    TPForm::resizeEvent(e);
    fitWord();
}

void TPRecallFormSpell::FormActivate()
{
    PPlayBackMusic(QStringLiteral("study"));
    m_session.load(PReadWordRecords(PCurrentTable), PTodayText());
    render();
    if (m_session.phase() == TPRecallSession::Phase::Empty) {
        LBWord->clear();
        PDialogs().message(QStringLiteral("本词表内暂时没有需复习的单词，请关闭本界面以尝试其它选择"));
        return;
    }
    PShowWord();
}

void TPRecallFormSpell::PShowWord()
{
    render();
    if (m_session.phase() == TPRecallSession::Phase::Over) {
        close();
        return;
    }
    const TPWordRecord r = m_session.current();
    LBWord->setText(r.word);
    fitWord();
    PSpeakWord(LBWord->text());
    EDmean->setText(r.explanation);
}

void TPRecallFormSpell::BitBtnYesClick()
{
    m_session.yes();
    render();
}

void TPRecallFormSpell::BitBtnRightClick()
{
    if (m_session.phase() != TPRecallSession::Phase::Judging)
        return;
    m_session.right();
    PShowWord();
}

void TPRecallFormSpell::BitBtnWrongClick() { BitBtnNoClick(); }

void TPRecallFormSpell::BitBtnNoClick()
{
    m_session.no();
    render();
}

void TPRecallFormSpell::BitBtn5Click()
{
    if (m_session.phase() != TPRecallSession::Phase::Told)
        return;
    m_session.next();
    PShowWord();
}

void TPRecallFormSpell::SBfindClick() { PHandOver(PHandOvers().dictForm, LBWord->text(), false); }

void TPRecallFormSpell::SBSpeakClick() { PSpeakWord(LBWord->text()); }

void TPRecallFormSpell::Label3Click() { POpenUrl(Addr::HelpPage(QStringLiteral("recall"))); }

void TPRecallFormSpell::FormClose(TCloseAction &Action)
{
    Q_UNUSED(Action);
    PStopBackMusic();
    if (m_session.hasResults() &&
        PDialogs().ask(QStringLiteral("是否存档？"), QString(), Dialogs::NoIcon, Dialogs::YesNo) == Dialogs::Yes)
        PSaveRecallResults();
    hide();
    PHandOver(PHandOvers().studyToolSelectForm);
}

void TPRecallFormSpell::PSaveRecallResults() { PWriteBack(m_session.writeBack(PCurrentTable)); }
