#include "tools/directcheckform.h"

#include "vocab/bankvocab.h"
#include "core/choosers.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "core/listviews.h"
#include "core/wordlistops.h"
#include "platform/dialogs.h"
#include "platform/inifile.h"
#include "platform/linklabel.h"
#include "platform/reportview.h"
#include "services/addresses.h"
#include "services/pronunciation.h"
#include "services/utils.h"
#include "services/webaccess.h"
#include "tools/crazyspellform.h"
#include "tools/selfreviewseams.h"
#include "platform/windowlook.h"
#include "platform/windowkit.h"
#include "services/handovers.h"

#include <QComboBox>
#include <QCursor>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TPDirectCheckForm *PDirectCheckForm = nullptr;

namespace {
namespace DC = ModeCol::DirectCheckForm;

const QString kShowAll = QStringLiteral("显示全部单词");
const QString kOnlyMastered = QStringLiteral("只显示已掌握的");
const QString kOnlyUnmastered = QStringLiteral("只显示未掌握的");

QComboBox *dropDown(QWidget *parent, const char *name)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(QLatin1String(name));
    c->setEditable(false);
    return c;
}

QString masterOf(const QTreeWidgetItem *Item) { return PSubItem(Item, PSub(DC::MasterType)); }
QString wordOf(const QTreeWidgetItem *Item) { return PCaption(Item); }

QString meaningOf(const QString &Word)
{
    return Pdatamodule->PGetOneDataFromTable(Col::Explanation, PCurrentTable, Col::Word, Word);
}

}  // namespace

TPDirectCheckForm::TPDirectCheckForm(QWidget *parent) : TPForm(parent), m_instance(PDirectCheckForm, this)
{
    setObjectName(QStringLiteral("PDirectCheckForm"));
    setWindowTitle(QStringLiteral("Tavisk打勾背单词 for LexorinV03 - Tavisk设计"));
    setMinimumSize(575, 360);
    resize(640, 600);
    PSetFormColor(this, NamedColor::MoneyGreen);

    SpeedButton13 = PMakePictureButton(this, "SpeedButton13", QStyle::SP_FileDialogContentsView, QStringLiteral("查词"));
    SpeedButton12 = PMakePictureButton(this, "SpeedButton12", QStyle::SP_MediaVolume, QStringLiteral("朗读"));
    CBBrowseMode = dropDown(this, "CBBrowseMode");
    CBBrowseMode->addItems({kShowAll, kOnlyMastered, kOnlyUnmastered});
    SpeedButton8 = PMakePictureButton(this, "SpeedButton8", QStyle::SP_MediaPlay, QStringLiteral("拼到底游戏"));
    Button1 = PMakeButton(this, QStringLiteral("Button1"), QStringLiteral("将打勾单词"));
    Button2 = PMakeButton(this, QStringLiteral("Button2"), QStringLiteral("勾选"));
    Button3 = PMakeButton(this, QStringLiteral("Button3"), QStringLiteral("我要"));
    CBWordTable = dropDown(this, "CBWordTable");
    CBWordTable->setToolTip(QStringLiteral("所有单词表"));
    CBWordTable->setMinimumWidth(110);
    Label3 = PMakeLinkLabel(this, QStringLiteral("Label3"), QStringLiteral("?"));
    Label3->setToolTip(QStringLiteral("操作帮助"));
    Label3->setCursor(Qt::WhatsThisCursor);

    PLVdc = PMakeReportView(this, QStringLiteral("PLVdc"),
                            {{QStringLiteral("单词"), 160}, {QStringLiteral("掌握类型"), 30},
                             {QStringLiteral("解释"), 300}, {QStringLiteral("掌握日期"), 100}},
                            true);
    PLVdc->setSelectionMode(QAbstractItemView::SingleSelection);
    PLVdc->setEditTriggers(QAbstractItemView::NoEditTriggers);
    PLVdc->header()->setSectionResizeMode(DC::Meaning, QHeaderView::Stretch);
    PLVdc->setToolTip(QStringLiteral("双击左键改变掌握类型，双击右键显隐解释"));
    PShowRowLines(PLVdc, QColor(0xa0, 0xa0, 0xa0));
    PSetBoxColor(PLVdc, NamedColor::SkyBlue);
    PLVdc->setMinimumSize(200, 100);

    SBRefresh = PMakePictureButton(this, "SBRefresh", QStyle::SP_BrowserReload, QStringLiteral("刷新统计数据"));
    LBHint = PMakeLabel(this, QStringLiteral("LBHint"));

    auto *tools = new QHBoxLayout;
    for (QWidget *w : std::initializer_list<QWidget *>{SpeedButton13, SpeedButton12, CBBrowseMode, SpeedButton8,
                                                       Button1, Button2, Button3, CBWordTable})
        tools->addWidget(w);
    tools->addStretch();
    tools->addWidget(Label3, 0, Qt::AlignTop);
    auto *status = new QHBoxLayout;
    status->addWidget(SBRefresh);
    status->addWidget(LBHint, 1);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(tools);
    layout->addWidget(PLVdc, 1);
    layout->addLayout(status);

    PopupMenu1 = PNamed(new QMenu(this), QStringLiteral("PopupMenu1"));
    N1 = PMakeAction(PopupMenu1, "N1", QStringLiteral("【标记为“已掌握”"));
    N2 = PMakeAction(PopupMenu1, "N2", QStringLiteral("标记为“未掌握”"));
    N5 = PMakeAction(PopupMenu1, "N5", QStringLiteral("【显示其解释"));
    N7 = PMakeAction(PopupMenu1, "N7", QStringLiteral("隐藏其解释"));
    N9 = PopupMenu1->addSeparator();
    N9->setObjectName(QStringLiteral("N9"));
    N3 = PMakeAction(PopupMenu1, "N3", QStringLiteral("进行“拼到底”训练"));
    N4 = PMakeAction(PopupMenu1, "N4", QStringLiteral("转移到其它单词表..."));
    N8 = PMakeAction(PopupMenu1, "N8", QStringLiteral("永久删除"));
    QMenu *exportTo = PopupMenu1->addMenu(QStringLiteral("导出为"));
    exportTo->addAction(QStringLiteral("MP3文件"));
    exportTo->addAction(QStringLiteral("金山迷你背单词格式文本文件"));
    N13 = exportTo->menuAction();
    N13->setObjectName(QStringLiteral("N13"));
    N13->setEnabled(false);

    PopupMenu2 = PNamed(new QMenu(this), QStringLiteral("PopupMenu2"));
    MenuItem1 = PMakeAction(PopupMenu2, "MenuItem1", QStringLiteral("全选"));
    MenuItem2 = PMakeAction(PopupMenu2, "MenuItem2", QStringLiteral("反选"));
    N6 = PMakeAction(PopupMenu2, "N6", QStringLiteral("所有已掌握的"));

    PopupMenu3 = PNamed(new QMenu(this), QStringLiteral("PopupMenu3"));
    MenuItem3 = PMakeAction(PopupMenu3, "MenuItem3", QStringLiteral("下载词库"));
    N12 = PMakeAction(PopupMenu3, "N12", QStringLiteral("导入新词"));
    N11 = PMakeAction(PopupMenu3, "N11", QStringLiteral("管理词表"));
    MenuItem4 = PMakeAction(PopupMenu3, "MenuItem4", QStringLiteral("管理词条"));
    N10 = PMakeAction(PopupMenu3, "N10", QStringLiteral("救济作者"));
    N10->setEnabled(false);

    using F = TPDirectCheckForm;
    const QList<QPair<QAction *, void (F::*)()>> handlers = {
        {N1, &F::N1Click},        {N2, &F::N2Click},   {N5, &F::N5Click},   {N7, &F::N7Click},
        {N3, &F::N3Click},        {N4, &F::N4Click},   {N8, &F::N8Click},   {MenuItem1, &F::MenuItem1Click},
        {MenuItem2, &F::MenuItem2Click}, {N6, &F::N6Click}, {MenuItem3, &F::MenuItem3Click},
        {N12, &F::N12Click},      {N11, &F::N11Click}, {MenuItem4, &F::MenuItem4Click}};
    for (const auto &h : handlers)
        PConnect(h.first, &QAction::triggered, this, h.second);
    PConnect(SpeedButton8, &QToolButton::clicked, this, &F::N3Click);
    PConnect(SpeedButton13, &QToolButton::clicked, this, &F::SpeedButton13Click);
    PConnect(SpeedButton12, &QToolButton::clicked, this, &F::SpeedButton12Click);
    PConnect(SBRefresh, &QToolButton::clicked, this, &F::SBRefreshClick);
    PConnect(Button1, &QPushButton::clicked, this, &F::Button1Click);
    PConnect(Button2, &QPushButton::clicked, this, &F::Button2Click);
    PConnect(Button3, &QPushButton::clicked, this, &F::Button3Click);
    PConnect(Label3, &TLinkLabel::clicked, this, &F::Label3Click);
    PConnect(CBWordTable, &QComboBox::activated, this, &F::CBWordTableChange);
    PConnect(CBBrowseMode, &QComboBox::activated, this, &F::CBBrowseModeChange);
    PConnect(PLVdc->header(), &QHeaderView::sectionClicked, this, &F::PLVdcColumnClick);
    connect(PLVdc->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            [this](const QItemSelection &selected, const QItemSelection &deselected) {
                // Each item that changes counts, the newly selected one last.
                for (const QItemSelection *s : {&deselected, &selected})
                    for (const QModelIndex &i : s->indexes())
                        if (i.column() == 0)
                            PLVdcSelectItem(i.row());
            });
    PLVdc->viewport()->installEventFilter(this);

    PLoadFormBackground(this);
    PCenterOnScreen(this);
}

TPDirectCheckForm::~TPDirectCheckForm() = default;

bool TPDirectCheckForm::eventFilter(QObject *watched, QEvent *e)
{
    if (PLVdc && watched == PLVdc->viewport()) {
        const auto *m = static_cast<QMouseEvent *>(e);
        if (e->type() == QEvent::MouseButtonDblClick && m->button() == Qt::LeftButton)
            PGuard([this] { PLVdcDblClick(); });
        else if (e->type() == QEvent::MouseButtonRelease)
            PGuard([this, m] { PLVdcMouseUp(m->button()); });
    }
    return TPForm::eventFilter(watched, e);
}

QTreeWidgetItem *TPDirectCheckForm::currentRow() const
{
    // After rows left the view the remembered position may lie past its end: no row then.
    return m_checkIndex >= 0 ? PItemAt(PLVdc, m_checkIndex) : nullptr;
}

QList<QTreeWidgetItem *> TPDirectCheckForm::tickedRows() const
{
    QList<QTreeWidgetItem *> rows;
    for (int i = 0; i < PItemCount(PLVdc); ++i)
        if (PItemAt(PLVdc, i)->checkState(0) == Qt::Checked)
            rows << PItemAt(PLVdc, i);
    return rows;
}

void TPDirectCheckForm::FormActivate()
{
    m_checkIndex = 0;
    CBBrowseMode->setCurrentIndex(0);
    CBWordTable->clear();
    PLoadCurrentTableName();
    PFillTableCombo(CBWordTable);
    reload();
    SBRefreshClick();
}

void TPDirectCheckForm::reload()
{
    PRefreshListView(PLVdc, PCurrentTable, QString(), 0, Mode::DirectCheckForm);
}

void TPDirectCheckForm::SBRefreshClick()
{
    const int total = Pdatamodule->PGetCountFromTable(PCurrentTable);
    const int mastered = Pdatamodule->PGetCountFromTableWhere(PCurrentTable, Col::MasterType, Code::Master11);
    const int ticked = PCheckedCount(PLVdc);
    LBHint->setText(QStringLiteral("共有%1词，掌握%2词，还剩%3词，打勾%4词。")
                        .arg(total)
                        .arg(mastered)
                        .arg(total - mastered)
                        .arg(ticked));
}

void TPDirectCheckForm::CBWordTableChange()
{
    PSetCurrentTable(CBWordTable->currentText());
    reload();
    PApplyMasterFilter(CBBrowseMode->currentText());
    SBRefreshClick();
}

void TPDirectCheckForm::CBBrowseModeChange()
{
    reload();
    PApplyMasterFilter(CBBrowseMode->currentText());
}

void TPDirectCheckForm::PApplyMasterFilter(const QString &Mode)
{
    if (Mode != kOnlyMastered && Mode != kOnlyUnmastered)
        return;
    const bool keepMastered = Mode == kOnlyMastered;
    for (int i = PItemCount(PLVdc) - 1; i >= 0; --i) {
        QTreeWidgetItem *item = PItemAt(PLVdc, i);
        if ((masterOf(item) == Code::Master11) != keepMastered)
            PRemoveItem(item);
    }
}

void TPDirectCheckForm::PLVdcDblClick()
{
    QTreeWidgetItem *row = currentRow();
    if (!row)
        return;
    const QString word = wordOf(row);
    const bool mastering = masterOf(row) != Code::Master11;
    const QString master = mastering ? Code::Master11 : Code::Master00;
    {
        JetTransaction t(Pdatamodule->PConnection);
        if (mastering)
            Pdatamodule->PUpdateOneDataFromTable(PCurrentTable, Col::Word, Col::LastTested, word, PTodayText());
        Pdatamodule->PUpdateOneDataFromTable(PCurrentTable, Col::Word, Col::MasterType, word, master);
        t.commit();
    }
    PSetSubItem(row, PSub(DC::MasterType), master);
    if (mastering)
        PSetSubItem(row, PSub(DC::LastTested), PTodayText());
    const QString filter = CBBrowseMode->currentText();
    if ((filter == kOnlyMastered && !mastering) || (filter == kOnlyUnmastered && mastering))
        PRemoveItem(row);
    SBRefreshClick();
}

void TPDirectCheckForm::PLVdcMouseUp(Qt::MouseButton Button)
{
    if (Button != Qt::RightButton)
        return;
    QTreeWidgetItem *row = currentRow();
    if (!row)
        return;
    const QString shown = PSubItem(row, PSub(DC::Meaning));
    PSetSubItem(row, PSub(DC::Meaning), shown.isEmpty() ? meaningOf(wordOf(row)) : QString());
}

void TPDirectCheckForm::PLVdcSelectItem(int Index) { m_checkIndex = Index; }

void TPDirectCheckForm::PLVdcColumnClick(int Column) { PSortListView(PLVdc, Column); }

void TPDirectCheckForm::SpeedButton13Click()
{
    if (const QTreeWidgetItem *row = currentRow())
        PHandOver(PHandOvers().dictForm, wordOf(row), false);
}

void TPDirectCheckForm::SpeedButton12Click()
{
    if (const QTreeWidgetItem *row = currentRow())
        PSpeakWord(wordOf(row));
}

void TPDirectCheckForm::Label3Click() { POpenUrl(Addr::HelpPage(QStringLiteral("directcheck"))); }

void TPDirectCheckForm::openMenu(QMenu *Menu) { Menu->popup(QCursor::pos() + QPoint(0, 10)); }

void TPDirectCheckForm::Button1Click() { openMenu(PopupMenu1); }
void TPDirectCheckForm::Button2Click() { openMenu(PopupMenu2); }
void TPDirectCheckForm::Button3Click() { openMenu(PopupMenu3); }

void TPDirectCheckForm::markTicked(const QString &MasterType)
{
    const QList<QTreeWidgetItem *> rows = tickedRows();
    const bool mastered = MasterType == Code::Master11;
    const QString today = PTodayText();
    // All or none: the list shows a mark only once the bank holds every one of them.
    {
        JetTransaction t(Pdatamodule->PConnection);
        for (const QTreeWidgetItem *row : rows) {
            Pdatamodule->PUpdateOneDataFromTable(PCurrentTable, Col::Word, Col::MasterType, wordOf(row), MasterType);
            if (mastered)
                Pdatamodule->PUpdateOneDataFromTable(PCurrentTable, Col::Word, Col::LastTested, wordOf(row), today);
        }
        t.commit();
    }
    for (QTreeWidgetItem *row : rows) {
        PSetSubItem(row, PSub(DC::MasterType), MasterType);
        if (mastered)
            PSetSubItem(row, PSub(DC::LastTested), today);
    }
}

void TPDirectCheckForm::N1Click() { markTicked(Code::Master11); }
void TPDirectCheckForm::N2Click() { markTicked(Code::Master00); }

void TPDirectCheckForm::N5Click()
{
    const QList<QTreeWidgetItem *> rows = tickedRows();
    for (auto it = rows.crbegin(); it != rows.crend(); ++it)
        PSetSubItem(*it, PSub(DC::Meaning), meaningOf(wordOf(*it)));
}

void TPDirectCheckForm::N7Click()
{
    for (QTreeWidgetItem *row : tickedRows())
        PSetSubItem(row, PSub(DC::Meaning), QString());
}

void TPDirectCheckForm::N3Click()
{
    if (tickedRows().size() < 3) {
        PDialogs().message(QStringLiteral("请至少勾3个单词"));
        return;
    }
    PConfigIni->WriteString(Ini::CrazySpeller, Ini::CrazyTable, Tbl::TempTable);
    PSelfReviewMoveCheckedToTempTable(PLVdc);
    if (PCrazySpellForm)
        PCrazySpellForm->ShowModal();
    PClearTempTable();
}

void TPDirectCheckForm::N4Click()
{
    if (PItemCount(PLVdc) == 0)
        return;
    const QString target = PChooseDialog(QStringLiteral("将选中单词转移到"), QStringLiteral("单表单词转移"), PLVdc);
    if (target == Code::ChooserCancel)
        return;
    PMoveWords(PLVdc, PCurrentTable, target, QStringLiteral("check"));
    m_checkIndex = 0;
}

void TPDirectCheckForm::N8Click()
{
    const QList<QTreeWidgetItem *> rows = tickedRows();
    {
        JetTransaction t(Pdatamodule->PConnection);
        for (auto it = rows.crbegin(); it != rows.crend(); ++it)
            Pdatamodule->PDeleteOneRecordFromTable(PCurrentTable, Col::Word, wordOf(*it));
        t.commit();
    }
    for (QTreeWidgetItem *row : rows)
        PRemoveItem(row);
}

void TPDirectCheckForm::setTicks(const std::function<bool(const QTreeWidgetItem *)> &ticked)
{
    for (int i = 0; i < PItemCount(PLVdc); ++i) {
        QTreeWidgetItem *item = PItemAt(PLVdc, i);
        item->setCheckState(0, ticked(item) ? Qt::Checked : Qt::Unchecked);
    }
}

void TPDirectCheckForm::MenuItem1Click()
{
    setTicks([](const QTreeWidgetItem *) { return true; });
}

void TPDirectCheckForm::MenuItem2Click()
{
    setTicks([](const QTreeWidgetItem *i) { return i->checkState(0) != Qt::Checked; });
}

void TPDirectCheckForm::N6Click()
{
    setTicks([](const QTreeWidgetItem *i) { return masterOf(i) == Code::Master11; });
}

void TPDirectCheckForm::MenuItem3Click() { POpenUrl(Addr::BankDownloads()); }

void TPDirectCheckForm::runAndRefresh(const std::function<void()> &window)
{
    window();
    // Those windows may have changed the lists; closing a modal window does not activate this one.
    FormActivate();
}

void TPDirectCheckForm::N12Click() { runAndRefresh(PHandOvers().inputFormWordSvc); }
void TPDirectCheckForm::N11Click() { runAndRefresh(PHandOvers().manageFormTB); }
void TPDirectCheckForm::MenuItem4Click() { runAndRefresh(PHandOvers().manageFormWL); }

void TPDirectCheckForm::FormClose(TCloseAction &Action)
{
    Q_UNUSED(Action);
    hide();
    PHandOver(PHandOvers().studyToolSelectForm);
}
