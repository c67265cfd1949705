#include "tools/showwrongform.h"

#include "vocab/bankvocab.h"
#include "core/choosers.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "core/listviews.h"
#include "core/wordlistops.h"
#include "platform/linklabel.h"
#include "platform/reportview.h"
#include "platform/windowkit.h"
#include "services/addresses.h"
#include "services/pronunciation.h"
#include "services/publicform.h"
#include "services/utils.h"
#include "services/webaccess.h"
#include "platform/windowlook.h"
#include "services/handovers.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TPShowWrongForm *PShowWrongForm = nullptr;

namespace {
// Each item of the list is a word (its caption) and the meaning shown on demand.
constexpr int MeaningSub = 0;
}


TPShowWrongForm::TPShowWrongForm(QWidget *parent) : TPForm(parent), m_instance(PShowWrongForm, this)
{
    setObjectName(QStringLiteral("PShowWrongForm"));
    setWindowTitle(QStringLiteral("错题回顾"));
    PSetFormColor(this, NamedColor::MoneyGreen);
    setMinimumSize(575, 360);
    resize(575, 471);

    PLVsw = PMakeReportView(this, QStringLiteral("PLVsw"), {{QStringLiteral("单词"), 150}, {QStringLiteral("解释"), 300}},
                            true);
    PLVsw->header()->setStretchLastSection(true);
    PLVsw->setSelectionMode(QAbstractItemView::SingleSelection);
    PLVsw->setEditTriggers(QAbstractItemView::NoEditTriggers);
    PLVsw->setToolTip(QStringLiteral("双击可显示或隐藏解释"));
    PSetBoxColor(PLVsw, NamedColor::SkyBlue);
    PShowRowLines(PLVsw, QColor(0xa0, 0xa0, 0xa0));

    Button1 = PMakeButton(this, QStringLiteral("Button1"), QStringLiteral("全选"));
    Button2 = PMakeButton(this, QStringLiteral("Button2"), QStringLiteral("反选"));
    Button3 = PMakeButton(this, QStringLiteral("Button3"), QStringLiteral("转移..."));
    Button3->setToolTip(QStringLiteral("将打勾单词转移到其它词表"));
    SpeedButton13 = PMakePictureButton(this, "SpeedButton13", QStyle::SP_FileDialogContentsView, QStringLiteral("查词"));
    SpeedButton12 = PMakePictureButton(this, "SpeedButton12", QStyle::SP_MediaVolume, QStringLiteral("朗读"));
    Label3 = new TLinkLabel(QStringLiteral("?"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setToolTip(QStringLiteral("操作帮助"));

    MEpra = new QLineEdit(this);
    MEpra->setObjectName(QStringLiteral("MEpra"));
    PSetPixelFont(MEpra, 19);
    MEpra->setAttribute(Qt::WA_InputMethodEnabled, false);
    MEpra->setToolTip(QStringLiteral("【回车】检验，【F9】查词，【F8】朗读，【Esc】离开"));
    PSetTextWhenSeen(MEpra, QStringLiteral("【回车】清空，【F9】查词，【F8】朗读，【Esc】离开"));

    auto *buttons = new QHBoxLayout;
    for (QWidget *w : {static_cast<QWidget *>(Button1), static_cast<QWidget *>(Button2),
                       static_cast<QWidget *>(Button3)})
        buttons->addWidget(w);
    buttons->addStretch();
    buttons->addWidget(SpeedButton13);
    buttons->addWidget(SpeedButton12);
    buttons->addWidget(Label3);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(PLVsw, 1);
    layout->addLayout(buttons);
    layout->addWidget(MEpra);
    // The window's font once its parts are made: a box made under a font lays its text out in it.
    PSetPixelFont(this, 13, QStringLiteral("SimSun"));

    PConnect(Button1, &QPushButton::clicked, this, &TPShowWrongForm::Button1Click);
    PConnect(Button2, &QPushButton::clicked, this, &TPShowWrongForm::Button2Click);
    PConnect(Button3, &QPushButton::clicked, this, &TPShowWrongForm::Button3Click);
    PConnect(SpeedButton13, &QToolButton::clicked, this, &TPShowWrongForm::SpeedButton13Click);
    PConnect(SpeedButton12, &QToolButton::clicked, this, &TPShowWrongForm::SpeedButton12Click);
    PConnect(Label3, &TLinkLabel::clicked, this, &TPShowWrongForm::Label3Click);
    PConnect(PLVsw, &QTreeWidget::currentItemChanged, this, &TPShowWrongForm::PLVswSelectItem);
    PLVsw->viewport()->installEventFilter(this);
    MEpra->installEventFilter(this);

    PConnect(PLVsw, &QTreeWidget::itemChanged, this, &TPShowWrongForm::PLVswItemChanged);

    PLoadFormBackground(this);
    PCenterOnScreen(this);
}

TPShowWrongForm::~TPShowWrongForm() = default;

void TPShowWrongForm::FormActivate() { m_session.activate(); }

void TPShowWrongForm::FormShow()
{
    m_keyDown = 0;
    MEpra->setFocus();
    MEpra->selectAll();
}

void TPShowWrongForm::PFill(const QStringList &Words)
{
    m_session.fill(Words);
    PShowRows();
}

void TPShowWrongForm::PShowRows()
{
    const QSignalBlocker quiet(PLVsw);
    m_showing = true;
    PClearItems(PLVsw);
    for (int i = 0; i < m_session.rows().size(); ++i)
        PAddItem(PLVsw, m_session.rows().at(i).word, {m_session.rows().at(i).explanation})
            ->setCheckState(0, m_session.ticked(i) ? Qt::Checked : Qt::Unchecked);
    m_showing = false;
}

void TPShowWrongForm::PShowTicks()
{
    m_showing = true;
    for (int i = 0; i < PItemCount(PLVsw); ++i)
        PItemAt(PLVsw, i)->setCheckState(0, m_session.ticked(i) ? Qt::Checked : Qt::Unchecked);
    m_showing = false;
}

void TPShowWrongForm::PLVswItemChanged(QTreeWidgetItem *Item, int Column)
{
    if (!m_showing && Column == 0)
        m_session.tick(PLVsw->indexOfTopLevelItem(Item), Item->checkState(0) == Qt::Checked);
}

void TPShowWrongForm::PLVswSelectItem(QTreeWidgetItem *Item)
{
    if (Item)
        m_session.select(PLVsw->indexOfTopLevelItem(Item));
}

void TPShowWrongForm::toggleMeaning(int Row)
{
    const QString meaning = m_session.meaningHidden(Row) ? Pdatamodule->PGetOneDataFromTable(
                                                               Col::Explanation, PCurrentTable, Col::Word,
                                                               m_session.rows().at(Row).word)
                                                         : QString();
    m_session.toggleMeaning(Row, meaning);
    m_showing = true;
    PSetSubItem(PItemAt(PLVsw, Row), MeaningSub, m_session.rows().at(Row).explanation);
    m_showing = false;
}

void TPShowWrongForm::toggleSelected()
{
    const int row = m_session.selectedRow();
    if (row >= 0)
        toggleMeaning(row);
}

void TPShowWrongForm::PLVswDblClick() { toggleSelected(); }

bool TPShowWrongForm::eventFilter(QObject *watched, QEvent *e)
{
    if (PLVsw && watched == PLVsw->viewport()) {
        const bool rightUp = e->type() == QEvent::MouseButtonRelease &&
                             static_cast<QMouseEvent *>(e)->button() == Qt::RightButton;
        if (rightUp || e->type() == QEvent::MouseButtonDblClick)
            PGuard([this] { PLVswDblClick(); });
    } else if (MEpra && watched == MEpra && e->type() == QEvent::KeyPress) {
        m_keyDown = static_cast<QKeyEvent *>(e)->key();
    } else if (MEpra && watched == MEpra && e->type() == QEvent::KeyRelease) {
        // A key pressed elsewhere (the Enter that closed a test's summary) is not the box's.
        const int key = static_cast<QKeyEvent *>(e)->key();
        if (key == m_keyDown)
            PGuard([this, e] { MEpraKeyUp(static_cast<QKeyEvent *>(e)); });
        return true;
    }
    return TPForm::eventFilter(watched, e);
}

void TPShowWrongForm::MEpraKeyUp(QKeyEvent *e)
{
    switch (e->key()) {
    case Qt::Key_Escape:
        close();
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter: {
        for (int row : m_session.rowsOf(MEpra->text()))
            toggleMeaning(row);
        MEpra->clear();
        break;
    }
    case Qt::Key_F8:
        PSpeakWord(MEpra->text());
        break;
    case Qt::Key_F9:
        PHandOver(PHandOvers().dictForm, MEpra->text(), false);
        break;
    default:
        break;
    }
}

void TPShowWrongForm::Button1Click()
{
    m_session.tickAll();
    PShowTicks();
}

void TPShowWrongForm::Button2Click()
{
    m_session.invertTicks();
    PShowTicks();
}

void TPShowWrongForm::Button3Click()
{
    if (m_session.rows().isEmpty())
        return;
    const QString target = PChooseDialog(QStringLiteral("将选中单词转移到"), QStringLiteral("单表单词转移"), nullptr);
    if (target == Code::ChooserCancel)
        return;
    // The list shows the session's ticks; the move takes the ticked words, or nothing when refused.
    PMoveWords(PLVsw, PCurrentTable, target, QStringLiteral("check"));
    m_session.removeTicked();
    PShowRows();
}

void TPShowWrongForm::SpeedButton13Click()
{
    if (const int row = m_session.selectedRow(); row >= 0)
        PHandOver(PHandOvers().dictForm, m_session.rows().at(row).word, false);
}

void TPShowWrongForm::SpeedButton12Click()
{
    if (const int row = m_session.selectedRow(); row >= 0)
        PSpeakWord(m_session.rows().at(row).word);
}

void TPShowWrongForm::Label3Click() { POpenUrl(Addr::HelpPage(QStringLiteral("review"))); }

bool PShowWrongWords(const QStringList &Words)
{
    if (!PShowWrongForm)
        return false;
    PShowWrongForm->PFill(Words);
    if (Words.isEmpty())
        return false;
    PShowWrongForm->ShowModal();
    return true;
}
