#include "study/createform.h"

#include "vocab/bankvocab.h"
#include "core/choosers.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "core/listviews.h"
#include "core/wordlistops.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/inifile.h"
#include "platform/linklabel.h"
#include "rules/random.h"
#include "services/addresses.h"
#include "services/utils.h"
#include "services/webaccess.h"
#include "core/grouptransfer.h"
#include "services/handovers.h"
#include "study/studytoolselectform.h"
#include "platform/windowkit.h"
#include "platform/windowlook.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include <algorithm>

TPCreateForm *PCreateForm = nullptr;

namespace {



QString countText(int count)
{
    return QStringLiteral("（") + QString::number(count) + QStringLiteral("词）");
}

QTreeWidgetItem *itemOf(const TPBuilderRow &r) { return PNewItem(r.texts(), r.ends(), TPBuilderRow::Columns); }

QTreeWidget *groupList(QWidget *parent, const char *name)
{
    QTreeWidget *v = PMakeReportView(parent, QLatin1String(name),
                                     {TPColumn{QStringLiteral("ID"), 40, false, PHeldTexts(Col::ID)},
                                      TPColumn{QStringLiteral("单词"), 80}, TPColumn{QStringLiteral("做过"), 30},
                                      TPColumn{QStringLiteral("做错"), 30},
                                      TPColumn{QStringLiteral("类别"), 40, false, PHeldTexts(Col::Category)},
                                      TPColumn{QStringLiteral("上次"), 25, false, PHeldTexts(Col::LastRight)},
                                      TPColumn{QStringLiteral("最近测试日期"), 90},
                                      TPColumn{QStringLiteral("掌握类型"), 30, false, PHeldTexts(Col::MasterType)}},
                                     false);
    v->setSelectionMode(QAbstractItemView::ExtendedSelection);
    v->setSelectionBehavior(QAbstractItemView::SelectRows);
    v->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v->setContextMenuPolicy(Qt::CustomContextMenu);
    QPalette p = v->palette();
    p.setColor(QPalette::Base, NamedColor::SkyBlue);
    v->setPalette(p);
    v->header()->setSectionsClickable(true);
    return v;
}

}  // namespace

TPCreateForm::TPCreateForm(QWidget *parent)
    : TPForm(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("PCreateForm"));
    setWindowTitle(QStringLiteral("选择单词"));
    setFixedSize(790, 562);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, NamedColor::MoneyGreen);
    setPalette(palette);
    setAutoFillBackground(true);

    Label1 = PMakeLabel(this, QStringLiteral("Label1"), QStringLiteral("备  选  单  词"));
    Label2 = PMakeLabel(this, QStringLiteral("Label2"), QStringLiteral("选  中  单  词"));
    Label3WordCount = PMakeLabel(this, QStringLiteral("Label3WordCount"), QStringLiteral("单词数"));
    Label4WordCount = PMakeLabel(this, QStringLiteral("Label4WordCount"), QStringLiteral("单词数"));
    PLV1 = groupList(this, "PLV1");
    PLV2 = groupList(this, "PLV2");
    Pcreatebutton = PMakeButton(this, QStringLiteral("Pcreatebutton"), QStringLiteral("自动产词 &C"));
    Pcreatebutton->setFocusPolicy(Qt::ClickFocus);  // no tab stop, but activation gives it the focus
    BtGotoBrowse = PMakeButton(this, QStringLiteral("BtGotoBrowse"), QStringLiteral("学习"));
    BtGotoTest = PMakeButton(this, QStringLiteral("BtGotoTest"), QStringLiteral("测试"));
    LBSelectflag = PMakeLabel(this, QStringLiteral("LBSelectflag"), QStringLiteral("当前选择"));
    Label3 = new TLinkLabel(QStringLiteral("?"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setToolTip(QStringLiteral("操作帮助"));
    Label3->setCursor(Qt::PointingHandCursor);
    Label3->setStyleSheet(QStringLiteral("color: blue; font-weight: bold;"));
    setDefaultButton(Pcreatebutton);
    setKeyPreview(true);

    const auto column = [](QLabel *title, QLabel *count, QTreeWidget *view) {
        auto *head = new QHBoxLayout;
        head->addStretch();
        head->addWidget(title);
        head->addWidget(count);
        head->addStretch();
        auto *col = new QVBoxLayout;
        col->addLayout(head);
        col->addWidget(view, 1);
        return col;
    };
    auto *lists = new QHBoxLayout;
    lists->addLayout(column(Label1, Label3WordCount, PLV1), 1);
    lists->addLayout(column(Label2, Label4WordCount, PLV2), 1);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(LBSelectflag);
    buttons->addStretch();
    for (QPushButton *b : {Pcreatebutton, BtGotoBrowse, BtGotoTest}) {
        b->setMinimumWidth(100);
        buttons->addWidget(b);
    }
    buttons->addStretch();
    buttons->addWidget(Label3);
    auto *main = new QVBoxLayout(this);
    main->setContentsMargins(10, 8, 10, 10);
    main->addLayout(lists, 1);
    main->addLayout(buttons);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    QAction *toRight = PMakeAction(PopupMenu1, "N1", QStringLiteral("往右移动所选单词"));
    PopupMenu1->addSeparator();
    QAction *sameCategory = PMakeAction(PopupMenu1, "N2", QStringLiteral("选“类别”相同"));
    QAction *sameMaster = PMakeAction(PopupMenu1, "N3", QStringLiteral("选“掌握类型”相同"));
    QAction *sameDate = PMakeAction(PopupMenu1, "N4", QStringLiteral("选“日期”相同"));
    QAction *sameRight = PMakeAction(PopupMenu1, "N5", QStringLiteral("选“上次对错”相同"));
    PopupMenu1->addSeparator();
    QAction *category1 = PMakeAction(PopupMenu1, "N6", QStringLiteral("更改所选单词类别"));
    PopupMenu1->addSeparator();
    QAction *shuffle = PMakeAction(PopupMenu1, "N7", QStringLiteral("词表乱序"));
    PopupMenu1->addSeparator();
    QAction *move1 = PMakeAction(PopupMenu1, "N8", QStringLiteral("转移选中词..."));
    QAction *delete1 = PMakeAction(PopupMenu1, "N9", QStringLiteral("永久删除所选单词"));

    PopupMenu2 = new QMenu(this);
    PopupMenu2->setObjectName(QStringLiteral("PopupMenu2"));
    QAction *toLeft = PMakeAction(PopupMenu2, "N10", QStringLiteral("往左移动选中单词"));
    PopupMenu2->addSeparator();
    QAction *category2 = PMakeAction(PopupMenu2, "N11", QStringLiteral("更改所选单词类别"));
    PopupMenu2->addSeparator();
    QAction *move2 = PMakeAction(PopupMenu2, "N12", QStringLiteral("转移选中词..."));
    QAction *delete2 = PMakeAction(PopupMenu2, "N13", QStringLiteral("永久删除选中单词"));

    const auto on = [this](QAction *a, std::function<void()> f) {
        connect(a, &QAction::triggered, this, [f] { PGuard(f); });
    };
    on(toRight, [this] { PLV1DblClick(); });
    on(sameCategory, [this] { SameColumnClick(3); });
    on(sameMaster, [this] { SameColumnClick(6); });
    on(sameDate, [this] { SameColumnClick(5); });
    on(sameRight, [this] { SameColumnClick(4); });
    on(category1, [this] { ChangeCategoryClick(PLV1); });
    on(shuffle, [this] { ShuffleClick(); });
    on(move1, [this] { MoveWordsClick(PLV1); });
    on(delete1, [this] { DeleteWordsClick(PLV1); });
    on(toLeft, [this] { PLV2DblClick(); });
    on(category2, [this] { ChangeCategoryClick(PLV2); });
    on(move2, [this] { MoveWordsClick(PLV2); });
    on(delete2, [this] { DeleteWordsClick(PLV2); });

    for (QTreeWidget *v : {PLV1, PLV2}) {
        QMenu *menu = v == PLV1 ? PopupMenu1 : PopupMenu2;
        connect(v, &QWidget::customContextMenuRequested, this,
                [v, menu](const QPoint &p) { menu->popup(v->viewport()->mapToGlobal(p)); });
        connect(v->header(), &QHeaderView::sectionClicked, this,
                [this, v](int col) { PGuard([&] { sortClick(sideOf(v), col); }); });
        connect(v, &QTreeWidget::currentItemChanged, this,
                [this, v](QTreeWidgetItem *item) { PGuard([&] { itemSelected(v, item); }); });
    }
    connect(PLV1, &QTreeWidget::itemDoubleClicked, this, [this] { PGuard([this] { PLV1DblClick(); }); });
    connect(PLV2, &QTreeWidget::itemDoubleClicked, this, [this] { PGuard([this] { PLV2DblClick(); }); });
    PConnect(Pcreatebutton, &QPushButton::clicked, this, &TPCreateForm::PcreatebuttonClick);
    PConnect(BtGotoBrowse, &QPushButton::clicked, this, &TPCreateForm::BtGotoBrowseClick);
    PConnect(BtGotoTest, &QPushButton::clicked, this, &TPCreateForm::BtGotoTestClick);
    connect(Label3, &TLinkLabel::clicked, this,
            [] { PGuard([] { POpenUrl(Addr::HelpPage(QStringLiteral("createform"))); }); });

    PCenterOnScreen(this);
    // A program about to end for want of a bank has no learner row to make.
    if (!PTerminateRequested)
        PGuard([] { PEnsureUserRow(); });
}

TPCreateForm::~TPCreateForm() = default;

void TPCreateForm::FormActivate()
{
    PLoadFormBackground(this);
    TPGroupBuilderSession::Settings settings = m_session.settings();
    settings.tool = PConfigIni->ReadString(Ini::Main, Ini::Tool, ToolName::Spell);
    PLoadCurrentTableName();
    settings.n = PConfigIni->ReadInteger(Ini::Main, Ini::GroupSize, 15);
    settings.mode = PConfigIni->ReadString(Ini::Main, Ini::CreateMode, QStringLiteral("随机产生"));
    m_session.setSettings(settings);
    PRefreshLists();
    Pcreatebutton->setFocus();
}

bool TPCreateForm::FormKeyDown(QKeyEvent *e)
{
    // Enter presses the button that has the focus, the default button otherwise: Enter after
    // "自动产词" goes on to "学习".
    auto *focused = qobject_cast<QPushButton *>(focusWidget());
    if ((e->key() != Qt::Key_Return && e->key() != Qt::Key_Enter) || !focused || focused == Pcreatebutton)
        return false;
    focused->click();
    return true;
}

void TPCreateForm::FormClose(TCloseAction &)
{
    // The tool choice comes back whatever became of the log entry.
    PLogLesson();
    if (PStudyToolSelectForm)
        PStudyToolSelectForm->Show();
}

void TPCreateForm::PRefreshLists()
{
    m_session.load(PReadGroupRows(PCurrentTable));
    render(SideChosen);
    render(SideCandidates);
    refreshCounts();
}

QList<int> TPCreateForm::selectedRows(const QTreeWidget *ListView) const
{
    QList<int> rows;
    for (const QModelIndex &i : ListView->selectionModel()->selectedRows())
        rows << i.row();
    return rows;
}

void TPCreateForm::render(TPSide side)
{
    QTreeWidget *v = view(side);
    PClearItems(v);
    QList<QTreeWidgetItem *> items;
    items.reserve(m_session.count(side));
    for (int i = 0; i < m_session.count(side); ++i)
        items << itemOf(m_session.at(side, i));
    v->addTopLevelItems(items);
}

void TPCreateForm::follow(const QList<TPGroupMove> &moves)
{
    for (const TPGroupMove &m : moves) {
        QTreeWidgetItem *item = view(m.from)->takeTopLevelItem(m.index);
        if (!item)
            continue;
        view(TPSide(1 - m.from))->addTopLevelItem(item);
        item->setSelected(false);
    }
}

void TPCreateForm::sortClick(TPSide side, int column)
{
    QList<int> selected = selectedRows(view(side));
    std::sort(selected.begin(), selected.end());
    const QList<int> before = m_session.sortByColumn(side, column);
    render(side);
    for (int i = 0; i < before.size(); ++i) {
        if (std::binary_search(selected.begin(), selected.end(), before.at(i)))
            PItemAt(view(side), i)->setSelected(true);
    }
}

void TPCreateForm::refreshCounts()
{
    Label3WordCount->setText(countText(m_session.count(SideCandidates)));
    Label4WordCount->setText(countText(m_session.count(SideChosen)));
}

void TPCreateForm::itemSelected(QTreeWidget *ListView, QTreeWidgetItem *Item)
{
    if (!Item)
        return;
    m_session.noteSelected(ListView->indexOfTopLevelItem(Item));
    LBSelectflag->setText(m_session.selectFlagText());
    (ListView == PLV1 ? Label3WordCount : Label4WordCount)->setText(countText(m_session.count(sideOf(ListView))));
}

void TPCreateForm::PAutoCreateGroup()
{
    TPGroupBuilderSession::Settings settings = m_session.settings();
    if (settings.mode == PSelectionModes().at(1)) {
        settings.r1 = PConfigIni->ReadInteger(Ini::RollRule, Ini::RollRound1, 5);
        settings.r2 = PConfigIni->ReadInteger(Ini::RollRule, Ini::RollRound2, 3);
        settings.r3 = PConfigIni->ReadInteger(Ini::RollRule, Ini::RollRound3, 2);
    }
    m_session.setSettings(settings);
    const TPAutoCreateOutcome out =
        m_session.autoCreate(PDateText(PToday()), PNow(), PRandom(), [](bool descending) {
            return PReadGroupRows(PCurrentTable, Col::LastTested, descending);
        });
    if (out.reloaded) {
        render(SideChosen);
        render(SideCandidates);
    } else {
        follow(out.moves);
    }
    if (out.error)
        PDialogs().message(out.message, QString(), Dialogs::Critical);
    else if (!out.message.isEmpty())
        PDialogs().message(out.message);
}

void TPCreateForm::PcreatebuttonClick()
{
    PAutoCreateGroup();
    BtGotoBrowse->setFocus();
    refreshCounts();
}

void TPCreateForm::PLV1DblClick()
{
    follow(m_session.moveSelected(SideCandidates, selectedRows(PLV1)));
    refreshCounts();
}

void TPCreateForm::PLV2DblClick()
{
    follow(m_session.moveSelected(SideChosen, selectedRows(PLV2)));
    refreshCounts();
}

void TPCreateForm::SameColumnClick(int Col)
{
    // The reference is the one word selected in the candidate list, wherever the learner last
    // clicked.
    follow(m_session.moveSameColumn(selectedRows(PLV1), Col + 1));
    refreshCounts();
}

void TPCreateForm::ChangeCategoryClick(QTreeWidget *ListView)
{
    QString category = QStringLiteral("未知");
    if (!PDialogs().input(QStringLiteral("请输入新类别"), QString(), category))
        return;
    const QList<int> rows = selectedRows(ListView);
    // The command throws when the bank refuses; the rows change only once it has taken the change.
    PUpdateSelectedField(ListView, PCurrentTable, Col::Category, category, 3);
    m_session.setField(sideOf(ListView), rows, Col::Category, category);
}

void TPCreateForm::ShuffleClick()
{
    PShuffleTable(PLV1);
    PRefreshLists();
}

void TPCreateForm::MoveWordsClick(QTreeWidget *ListView)
{
    const QString target = PChooseDialog(QStringLiteral("将选中单词转移到"), QStringLiteral("单表单词转移"), ListView);
    // A list is never moved into itself: the words stay.
    if (target != Code::ChooserCancel && target.compare(PCurrentTable, Qt::CaseInsensitive) != 0) {
        const QList<int> rows = selectedRows(ListView);
        PMoveWords(ListView, PCurrentTable, target, QStringLiteral("select"));
        m_session.removeRows(sideOf(ListView), rows);
    }
    refreshCounts();
}

void TPCreateForm::DeleteWordsClick(QTreeWidget *ListView)
{
    const QList<int> rows = selectedRows(ListView);
    PDeleteSelectedWords(ListView, PCurrentTable);
    m_session.removeRows(sideOf(ListView), rows);
    refreshCounts();
}

bool TPCreateForm::groupMayGo()
{
    const QString refusal = m_session.groupRefusal();
    if (refusal.isEmpty())
        return true;
    PDialogs().message(refusal);
    return false;
}

void TPCreateForm::handOver(const std::function<void()> &open)
{
    Hide();
    bool cleared = false, opened = false;
    try {
        if (PMoveChosenToTempTable(m_session.chosen())) {
            m_session.clear();
            render(SideCandidates);
            render(SideChosen);
            cleared = true;
            open();
            opened = true;
        }
    } catch (const std::exception &e) {
        PReportError(QString::fromStdString(e.what()));
    }
    if (opened)
        return;
    // The learner is never left without a window, nor with emptied lists.
    if (cleared)
        PRefreshLists();
    Show();
}

void TPCreateForm::BtGotoBrowseClick()
{
    const TPHandOvers &to = PHandOvers();
    if (!groupMayGo() || !to.browseForm)
        return;
    handOver(to.browseForm);
}

void TPCreateForm::BtGotoTestClick()
{
    const TPHandOvers &to = PHandOvers();
    const TPGroupBuilderSession::Test kind = m_session.test();
    const std::function<void()> &test = kind == TPGroupBuilderSession::Test::Spell            ? to.testFormSpell
                                        : kind == TPGroupBuilderSession::Test::MultipleChoice ? to.testFormSelect
                                                                                               : std::function<void()>();
    if (!groupMayGo() || !test || !to.prepareTest)
        return;
    handOver([&] {
        to.prepareTest();
        test();
    });
}
