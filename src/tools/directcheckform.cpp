#include "tools/directcheckform.h"

#include "vocab/bankvocab.h"
#include "core/choosers.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "core/grouptransfer.h"
#include "core/listviews.h"
#include "core/writeback.h"
#include "core/wordlistops.h"
#include "platform/dialogs.h"
#include "platform/inifile.h"
#include "platform/linklabel.h"
#include "platform/reportview.h"
#include "services/addresses.h"
#include "services/pronunciation.h"
#include "services/utils.h"
#include "services/webaccess.h"
#include "platform/windowlook.h"
#include "platform/windowkit.h"
#include "services/handovers.h"
#include "tools/ticklistmodel.h"

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
#include <QTreeView>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <memory>
#include <utility>
#include <vector>

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

// A column whose few texts repeat from row to row (master types, dates): each text is made once
// and shared by the rows that hold it, rather than one string per row.
class TPSharedTexts {
public:
    QString text(QByteArrayView Utf8)
    {
        for (const auto &[bytes, text] : m_kept)
            if (bytes == Utf8)
                return text;
        const QString made = QString::fromUtf8(Utf8);
        const std::pair<QByteArray, QString> kept{Utf8.toByteArray(), made};
        if (m_kept.size() < kKept)
            m_kept.push_back(kept);
        else
            m_kept[m_next++ % kKept] = kept;
        return made;
    }

private:
    static constexpr size_t kKept = 8;
    size_t m_next = 0;
    std::vector<std::pair<QByteArray, QString>> m_kept;
};

// The three fields the list shows of every row of the current list; a failure says "词库刷新出错".
TPTickWords readRows()
{
    JetQuery &q = Pdatamodule->PQuery;
    TPTickWords rows;
    try {
        Pdatamodule->PSelectFieldsFromTableOrder(PCurrentTable, {Col::Word, Col::MasterType, Col::LastTested}, QString(),
                                                 QString());
        q.open();
        const int word = q.fieldIndex(Col::Word), master = q.fieldIndex(Col::MasterType),
                  date = q.fieldIndex(Col::LastTested);
        TPSharedTexts masters, dates;
        for (; !q.eof(); q.next())
            rows.append({QString::fromUtf8(q.fieldUtf8At(word)), masters.text(q.fieldUtf8At(master)),
                         dates.text(q.fieldUtf8At(date))});
        q.close();
    } catch (const EngineError &) {
        q.close();
        q.clearSql();
        PDialogs().message(QStringLiteral("词库刷新出错"), QString(), Dialogs::Critical);
        return {};
    }
    return rows;
}

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

    const QList<TPColumn> columns = {{QStringLiteral("单词"), 160}, {QStringLiteral("掌握类型"), 30},
                                     {QStringLiteral("解释"), 300}, {QStringLiteral("掌握日期"), 100}};
    QStringList titles;
    for (const TPColumn &c : columns)
        titles << c.caption;
    m_rows = new TPTickListModel(m_session, titles, this);
    PLVdc = PMakeReportView(this, QStringLiteral("PLVdc"), m_rows, columns);
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

TPDirectCheckForm::~TPDirectCheckForm()
{
    // The list reads the session, which goes before the window's children do; its viewport
    // is no longer watched while it goes, as it is half destroyed by then.
    PLVdc->viewport()->removeEventFilter(this);
    delete std::exchange(PLVdc, nullptr);
    delete m_rows;
}

bool TPDirectCheckForm::eventFilter(QObject *watched, QEvent *e)
{
    if (PLVdc && watched == PLVdc->viewport()) {
        // Only mouse events are read as such.
        if (e->type() == QEvent::MouseButtonDblClick) {
            const auto *m = static_cast<QMouseEvent *>(e);
            if (m->button() == Qt::LeftButton) {
                const int row = rowAt(m->position());
                PGuard([this, row] { PLVdcDblClick(row); });
            }
        } else if (e->type() == QEvent::MouseButtonRelease) {
            const auto *m = static_cast<QMouseEvent *>(e);
            const Qt::MouseButton button = m->button();
            const int row = rowAt(m->position());
            PGuard([this, button, row] { PLVdcMouseUp(button, row); });
        }
    }
    return TPForm::eventFilter(watched, e);
}

int TPDirectCheckForm::rowAt(const QPointF &Pos) const
{
    const QModelIndex i = PLVdc->indexAt(Pos.toPoint());
    return i.isValid() ? i.row() : -1;
}

QString TPDirectCheckForm::currentWord() const
{
    const int row = m_session.checkIndex();
    return row >= 0 ? m_session.word(row).word : QString();
}

void TPDirectCheckForm::FormActivate()
{
    CBBrowseMode->setCurrentIndex(0);
    CBWordTable->clear();
    PLoadCurrentTableName();
    PFillTableCombo(CBWordTable);
    reload();
    SBRefreshClick();
}

void TPDirectCheckForm::FormHide()
{
    // Every showing reloads the list on activation: a hidden window holds no list, and is not
    // shown again with the last one until then.
    m_rows->reshape([this] { m_session.load({}, m_session.filter()); });
    PLVdc->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
}

void TPDirectCheckForm::reload() { PApplyMasterFilter(CBBrowseMode->currentText()); }

void TPDirectCheckForm::PApplyMasterFilter(const QString &Mode)
{
    TPTickWords rows = readRows();
    m_rows->reshape([&] { m_session.load(std::move(rows), TPDirectCheckSession::filterOf(Mode)); });
    // The list takes its length's scroll bar now, before it is painted, not after: so it is painted
    // once. While hidden it keeps the bar's room, so that a long list narrows no column on showing.
    PLVdc->doItemsLayout();
    PLVdc->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
}

void TPDirectCheckForm::SBRefreshClick()
{
    const int total = Pdatamodule->PGetCountFromTable(PCurrentTable);
    const int mastered = Pdatamodule->PGetCountFromTableWhere(PCurrentTable, Col::MasterType, Code::Master11);
    LBHint->setText(QStringLiteral("共有%1词，掌握%2词，还剩%3词，打勾%4词。")
                        .arg(total)
                        .arg(mastered)
                        .arg(total - mastered)
                        .arg(m_session.tickedCount()));
}

void TPDirectCheckForm::CBWordTableChange()
{
    PSetCurrentTable(CBWordTable->currentText());
    reload();
    SBRefreshClick();
}

void TPDirectCheckForm::CBBrowseModeChange() { reload(); }

void TPDirectCheckForm::PLVdcDblClick(int Row)
{
    const QString today = PTodayText();
    const TPWriteBack w = m_session.toggleWrite(PCurrentTable, Row, today);
    if (w.words.isEmpty() || !PWriteBackOrReport(w))
        return;
    if (m_session.leavesOnToggle(Row)) {
        m_rows->removeRow(Row, [&] { m_session.toggled(Row, today); });
    } else {
        m_session.toggled(Row, today);
        m_rows->rowChanged(Row);
    }
    SBRefreshClick();
}

void TPDirectCheckForm::PLVdcMouseUp(Qt::MouseButton Button, int Row)
{
    if (Button != Qt::RightButton || !m_session.valid(Row))
        return;
    if (m_session.meaning(Row).isEmpty())
        m_session.showMeaning(Row, meaningOf(m_session.word(Row).word));
    else
        m_session.hideMeaning(Row);
    m_rows->rowChanged(Row);
}

void TPDirectCheckForm::PLVdcSelectItem(int Index) { m_session.select(Index); }

void TPDirectCheckForm::PLVdcColumnClick(int Column)
{
    m_rows->reshape([&] { m_session.sortBy(Column); });
}

void TPDirectCheckForm::SpeedButton13Click()
{
    if (m_session.checkIndex() >= 0)
        PHandOver(PHandOvers().dictForm, currentWord(), false);
}

void TPDirectCheckForm::SpeedButton12Click()
{
    if (m_session.checkIndex() >= 0)
        PSpeakWord(currentWord());
}

void TPDirectCheckForm::Label3Click() { POpenUrl(Addr::HelpPage(QStringLiteral("directcheck"))); }

void TPDirectCheckForm::openMenu(QMenu *Menu) { Menu->popup(QCursor::pos() + QPoint(0, 10)); }

void TPDirectCheckForm::Button1Click() { openMenu(PopupMenu1); }
void TPDirectCheckForm::Button2Click() { openMenu(PopupMenu2); }
void TPDirectCheckForm::Button3Click() { openMenu(PopupMenu3); }

void TPDirectCheckForm::markTicked(const QString &MasterType)
{
    const QString today = PTodayText();
    // All or none: the list shows a mark only once the bank holds every one of them.
    if (!PWriteBackOrReport(m_session.markWrite(PCurrentTable, MasterType, today)))
        return;
    m_session.marked(MasterType, today);
    for (int row : m_session.ticked())
        m_rows->rowChanged(row);
}

void TPDirectCheckForm::N1Click() { markTicked(Code::Master11); }
void TPDirectCheckForm::N2Click() { markTicked(Code::Master00); }

void TPDirectCheckForm::N5Click()
{
    const QList<int> rows = m_session.ticked();
    for (auto it = rows.crbegin(); it != rows.crend(); ++it) {
        m_session.showMeaning(*it, meaningOf(m_session.word(*it).word));
        m_rows->rowChanged(*it);
    }
}

void TPDirectCheckForm::N7Click()
{
    for (int row : m_session.ticked()) {
        m_session.hideMeaning(row);
        m_rows->rowChanged(row);
    }
}

namespace {
// The core's group and move routines take ticked items: a scratch list of the ticked words.
std::unique_ptr<QTreeWidget> tickedWords(const QStringList &Words)
{
    auto view = std::make_unique<QTreeWidget>();
    for (const QString &w : Words)
        PAddItem(view.get(), w)->setCheckState(0, Qt::Checked);
    return view;
}
}  // namespace

void TPDirectCheckForm::N3Click()
{
    if (m_session.tickedCount() < 3) {
        PDialogs().message(QStringLiteral("请至少勾3个单词"));
        return;
    }
    PConfigIni->WriteString(Ini::CrazySpeller, Ini::CrazyTable, Tbl::TempTable);
    PMoveCheckedToTempTable(tickedWords(m_session.tickedWords()).get());
    PHandOver(PHandOvers().crazySpellForm);
    PClearTempTable();
}

void TPDirectCheckForm::N4Click()
{
    if (m_session.count() == 0)
        return;
    // A move's chooser reads no list; only a category chooser does.
    const QString target = PChooseDialog(QStringLiteral("将选中单词转移到"), QStringLiteral("单表单词转移"), nullptr);
    if (target == Code::ChooserCancel)
        return;
    const auto moving = tickedWords(m_session.tickedWords());
    PMoveWords(moving.get(), PCurrentTable, target, QStringLiteral("check"));
    // The words left the list only when the move took them all.
    if (PItemCount(moving.get()) == 0) {
        m_rows->reshape([this] { m_session.removeTicked(); });
    }
    m_session.select(0);
}

void TPDirectCheckForm::N8Click()
{
    const QStringList words = m_session.tickedWords();
    {
        JetTransaction t(Pdatamodule->PConnection);
        for (auto it = words.crbegin(); it != words.crend(); ++it)
            Pdatamodule->PDeleteOneRecordFromTable(PCurrentTable, Col::Word, *it);
        t.commit();
    }
    m_rows->reshape([this] { m_session.removeTicked(); });
}

void TPDirectCheckForm::MenuItem1Click()
{
    m_session.tickAll();
    m_rows->ticksChanged();
}

void TPDirectCheckForm::MenuItem2Click()
{
    m_session.invertTicks();
    m_rows->ticksChanged();
}

void TPDirectCheckForm::N6Click()
{
    m_session.tickMastered();
    m_rows->ticksChanged();
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
