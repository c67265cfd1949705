#include "wordlists/inputformaiciba.h"

#include "vocab/bankvocab.h"
#include "core/choosers.h"
#include "core/datamodule.h"
#include "core/wordbookimport.h"
#include "core/wordlistops.h"
#include "services/utils.h"
#include "platform/dialogs.h"
#include "platform/reportview.h"
#include "platform/windowkit.h"

#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSignalBlocker>
#include <QTreeWidget>
#include <QVBoxLayout>

TPInputFormAiCiba *PInputFormAiCiba = nullptr;

namespace {

QString countText(int n) { return QString::number(n) + QStringLiteral("词"); }

}  // namespace

TPInputFormAiCiba::TPInputFormAiCiba(QWidget *parent)
    : TPForm(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                         Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("PInputFormAiCiba"));
    setWindowTitle(QStringLiteral("从词霸生词本导入到单词表"));
    setMinimumSize(438, 480);
    setMaximumWidth(480);
    resize(460, 480);

    PListView = new QTreeWidget(this);
    PListView->setObjectName(QStringLiteral("PListView"));
    PListView->setColumnCount(3);
    PListView->setHeaderLabels({QStringLiteral("单词"), QStringLiteral("解释"), QStringLiteral("音标")});
    PListView->header()->setMinimumSectionSize(20);
    PListView->setColumnWidth(0, 100);
    PListView->setColumnWidth(1, 200);
    PListView->setColumnWidth(2, 100);
    PListView->setRootIsDecorated(false);
    PListView->setUniformRowHeights(true);
    PListView->setSelectionMode(QAbstractItemView::ExtendedSelection);
    PListView->setSelectionBehavior(QAbstractItemView::SelectRows);
    PListView->setEditTriggers(QAbstractItemView::NoEditTriggers);
    PShowGridLines(PListView);
    PListView->setToolTip(QStringLiteral("双击可删除选中单词"));

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    N1 = PopupMenu1->addAction(QStringLiteral("删除选中项"));
    N1->setObjectName(QStringLiteral("N1"));
    PListView->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(PListView, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { PopupMenu1->popup(PListView->viewport()->mapToGlobal(pos)); });

    LBWordCount = new QLabel(this);
    LBWordCount->setObjectName(QStringLiteral("LBWordCount"));
    LBWordCount->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

    Label7 = new QLabel(QStringLiteral("目标单词表"), this);
    Label7->setObjectName(QStringLiteral("Label7"));
    CBTableList = new QComboBox(this);
    CBTableList->setObjectName(QStringLiteral("CBTableList"));
    CBTableList->setMinimumWidth(120);
    LBaimWordCount = new QLabel(this);
    LBaimWordCount->setObjectName(QStringLiteral("LBaimWordCount"));
    // Room for a count of six digits, so the button beside it stays put as the count changes.
    LBaimWordCount->setMinimumWidth(LBaimWordCount->fontMetrics().horizontalAdvance(countText(999999)));
    BTnew = new QPushButton(QStringLiteral("新建..."), this);
    BTnew->setObjectName(QStringLiteral("BTnew"));
    BTinput = new QPushButton(QStringLiteral("导入"), this);
    BTinput->setObjectName(QStringLiteral("BTinput"));

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(Label7);
    bottom->addWidget(CBTableList);
    bottom->addWidget(LBaimWordCount);
    bottom->addWidget(BTnew);
    bottom->addStretch();
    bottom->addWidget(BTinput);
    auto *main = new QVBoxLayout(this);
    main->addWidget(PListView, 1);
    main->addWidget(LBWordCount);
    main->addLayout(bottom);

    PCenterOnScreen(this);

    PConnect(BTinput, &QPushButton::clicked, this, &TPInputFormAiCiba::BTinputClick);
    PConnect(BTnew, &QPushButton::clicked, this, &TPInputFormAiCiba::BTnewClick);
    PConnect(CBTableList, &QComboBox::currentIndexChanged, this, &TPInputFormAiCiba::CBTableListChange);
    PConnect(PListView, &QTreeWidget::itemDoubleClicked, this, &TPInputFormAiCiba::PListViewDblClick);
    PConnect(N1, &QAction::triggered, this, &TPInputFormAiCiba::N1Click);
    PLoadFormBackground(this);
}

void TPInputFormAiCiba::FillTableList()
{
    {
        const QSignalBlocker quiet(CBTableList);
        CBTableList->clear();
        CBTableList->addItem(Tbl::WordTable);
        PFillTableNames(CBTableList);
        CBTableList->setCurrentIndex(0);
    }
    ShowTargetCount();
}

void TPInputFormAiCiba::ShowTargetCount()
{
    LBaimWordCount->setText(countText(Pdatamodule->PGetCountFromTable(CBTableList->currentText())));
}

void TPInputFormAiCiba::FormActivate()
{
    FillTableList();
    bool read = false;
    try {
        read = PImportWordBookText(PListView, Pdatamodule->OpenDialog1);
    } catch (const EngineError &e) {
        PReportError(e.message());
    }
    if (read)
        LBWordCount->setText(countText(PListView->topLevelItemCount()));
    else
        // Closed once the activation is over: closing inside it would leave the window marked
        // active while hidden, and its next opening would not be activated.
        QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
}

void TPInputFormAiCiba::BTinputClick()
{
    if (PListView->topLevelItemCount() == 0) {
        PDialogs().message(QStringLiteral("没有单词可导入"));
    } else {
        const QString target = CBTableList->currentText();
        try {
            PStoreImportedWords(PListView, target);
            ShowTargetCount();
            PDialogs().message(QStringLiteral("当前列表中的单词已成功添加到单词表“") + target + QStringLiteral("”"));
        } catch (const EngineError &) {
            PDialogs().message(QStringLiteral("导入失败"), QString(), Dialogs::Warning);
        }
    }
    close();
}

void TPInputFormAiCiba::BTnewClick()
{
    PNewWordTable();
    FillTableList();
}

void TPInputFormAiCiba::CBTableListChange() { ShowTargetCount(); }

void TPInputFormAiCiba::PListViewDblClick()
{
    for (int i = 0; i < PListView->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = PListView->topLevelItem(i);
        if (item->isSelected()) {
            delete item;
            return;
        }
    }
}

void TPInputFormAiCiba::N1Click()
{
    for (int i = PListView->topLevelItemCount() - 1; i >= 0; --i)
        if (PListView->topLevelItem(i)->isSelected())
            delete PListView->topLevelItem(i);
}
