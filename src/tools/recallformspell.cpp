#include "tools/recallformspell.h"

#include "vocab/bankvocab.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "core/listviews.h"
#include "platform/dialogs.h"
#include "platform/linklabel.h"
#include "services/addresses.h"
#include "services/pronunciation.h"
#include "services/publicform.h"
#include "services/utils.h"
#include "services/webaccess.h"
#include "tools/selfreviewseams.h"
#include "platform/windowlook.h"
#include "platform/windowkit.h"
#include "services/handovers.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TPRecallFormSpell *PRecallFormSpell = nullptr;

namespace {
using namespace ModeCol;

QTreeWidget *queueList() { return PPublicForm->P_LVtest; }

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
    if (!prompt.isEmpty())
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

TPRecallRow rowOf(const QTreeWidgetItem *Item)
{
    return {PSubItem(Item, PSub(TestForm::Word)), PSubItem(Item, PSub(TestForm::Explanation)),
            PSubItem(Item, PSub(TestForm::LastTested)), PSubItem(Item, PSub(TestForm::MasterType))};
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

void TPRecallFormSpell::showOnly(QFrame *Panel)
{
    for (QFrame *p : {Panel1, Panel2, Panel3})
        p->setVisible(p == Panel);
}

void TPRecallFormSpell::showRowInList(int Index)
{
    QTreeWidgetItem *item = PItemAt(queueList(), Index);
    if (!item)
        return;
    const TPRecallRow &r = m_queue.row(Index);
    PSetSubItem(item, PSub(TestForm::LastTested), r.testDate);
    PSetSubItem(item, PSub(TestForm::MasterType), r.masterType);
}

void TPRecallFormSpell::FormActivate()
{
    PPlayBackMusic(QStringLiteral("study"));
    m_recallIndex = -1;
    // The shared list holds the queue, so it reads as the queue while the learner works.
    QTreeWidget *list = queueList();
    PRefreshListView(list, PCurrentTable, QString(), 0, Mode::TestForm);
    const QString today = PTodayText();
    QVector<TPRecallRow> rows;
    rows.reserve(PItemCount(list));
    for (int i = PItemCount(list) - 1; i >= 0; --i) {
        QTreeWidgetItem *item = PItemAt(list, i);
        if (!PRecallIsDue(rowOf(item), today))
            PRemoveItem(item);
    }
    for (int i = 0; i < PItemCount(list); ++i)
        rows << rowOf(PItemAt(list, i));
    m_queue.load(rows, today);

    Panel5->hide();
    showOnly(Panel1);
    m_recallIndex = 0;
    if (m_queue.isEmpty()) {
        LBWord->clear();
        PDialogs().message(QStringLiteral("本词表内暂时没有需复习的单词，请关闭本界面以尝试其它选择"));
        Panel1->hide();
        return;
    }
    PShowWord();
}

void TPRecallFormSpell::PShowWord()
{
    PBar->setMaximum(m_queue.progressMaximum());
    PBar->setValue(std::min(m_recallIndex, PBar->maximum()));
    if (m_queue.atEnd()) {
        close();
        return;
    }
    const TPRecallRow &r = m_queue.row(m_recallIndex);
    LBWord->setText(r.word);
    PSpeakWord(LBWord->text());
    Panel5->hide();
    EDmean->setText(r.meaning);
}

void TPRecallFormSpell::BitBtnYesClick()
{
    Panel1->hide();
    Panel2->show();
    Panel5->show();
}

void TPRecallFormSpell::BitBtnRightClick()
{
    if (m_queue.atEnd())
        return;
    m_queue.remembered(PTodayText());
    showRowInList(m_recallIndex);
    showOnly(Panel1);
    m_recallIndex = m_queue.index();
    PShowWord();
}

void TPRecallFormSpell::BitBtnWrongClick()
{
    Panel2->hide();
    BitBtnNoClick();
}

void TPRecallFormSpell::BitBtnNoClick()
{
    if (m_queue.atEnd())
        return;
    Panel1->hide();
    Panel5->show();
    QTreeWidgetItem *current = PItemAt(queueList(), m_recallIndex);
    const QVector<int> placed = m_queue.forgotten();
    // Each copy is the whole row, as the queue's copy carries the new result.
    for (int at : placed) {
        if (current)
            queueList()->insertTopLevelItem(at, current->clone());
        showRowInList(at);
    }
    showRowInList(m_recallIndex);
    showOnly(Panel3);
}

void TPRecallFormSpell::BitBtn5Click()
{
    showOnly(Panel1);
    m_queue.next();
    m_recallIndex = m_queue.index();
    PShowWord();
}

void TPRecallFormSpell::SBfindClick() { PHandOver(PHandOvers().dictForm, LBWord->text(), false); }

void TPRecallFormSpell::SBSpeakClick() { PSpeakWord(LBWord->text()); }

void TPRecallFormSpell::Label3Click() { POpenUrl(Addr::HelpPage(QStringLiteral("recall"))); }

void TPRecallFormSpell::FormClose(TCloseAction &Action)
{
    Q_UNUSED(Action);
    PStopBackMusic();
    if (m_queue.hasResults(PTodayText()) &&
        PDialogs().ask(QStringLiteral("是否存档？"), QString(), Dialogs::NoIcon, Dialogs::YesNo) == Dialogs::Yes)
        PSaveRecallResults();
    hide();
    PHandOver(PHandOvers().studyToolSelectForm);
}

void TPRecallFormSpell::PSaveRecallResults()
{
    const QString today = PTodayText();
    for (int i = PItemCount(queueList()) - 1; i >= 0; --i)
        if (PSubItem(PItemAt(queueList(), i), PSub(ModeCol::TestForm::LastTested)) != today)
            PRemoveItem(PItemAt(queueList(), i));
    const QVector<TPRecallRow> rows = m_queue.resultsToSave(today);
    for (const TPRecallRow &r : rows) {
        try {
            Pdatamodule->PUpdateOneDataFromTable(PCurrentTable, Col::Word, Col::LastTested, r.word, r.testDate);
            Pdatamodule->PUpdateOneDataFromTable(PCurrentTable, Col::Word, Col::MasterType, r.word, r.masterType);
        } catch (const EngineError &) {
            PDialogs().message(QStringLiteral("词库更新失败"), QString(), Dialogs::Critical);
        }
    }
}
