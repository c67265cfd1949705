#include "wordlists/samesubstrwordform.h"

#include "vocab/bankvocab.h"
#include "core/choosers.h"
#include "core/datamodule.h"
#include "core/listviews.h"
#include "platform/jetdb.h"
#include "platform/linklabel.h"
#include "services/addresses.h"
#include "services/publicform.h"
#include "services/utils.h"
#include "services/webaccess.h"
#include "services/handovers.h"

#include <QComboBox>
#include <QHeaderView>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TPSameSubStrWordForm *PSameSubStrWordForm = nullptr;


namespace {
const QString kPrefix = QStringLiteral("当前缀查");
const QString kSuffix = QStringLiteral("当后缀查");
const int kListColumn = 1;  // sub-item holding the hit's word list
}  // namespace

TPSameSubStrWordForm::TPSameSubStrWordForm(QWidget *parent)
    : TPForm(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("PSameSubStrWordForm"));
    setWindowTitle(QStringLiteral("Tavisk拼写筛词器 for LexorinV03 - Tavisk设计"));
    setFixedSize(470, 444);

    MeWord = new QLineEdit(this);
    MeWord->setObjectName(QStringLiteral("MeWord"));
    QFont big = MeWord->font();
    big.setPixelSize(22);
    MeWord->setFont(big);
    CBFindMode = new QComboBox(this);
    CBFindMode->setObjectName(QStringLiteral("CBFindMode"));
    CBFindMode->setEditable(true);
    CBFindMode->addItems({QStringLiteral("模糊查"), kPrefix, kSuffix});
    CBFindMode->setCurrentIndex(0);
    BTFind = new QToolButton(this);
    BTFind->setObjectName(QStringLiteral("BTFind"));
    BTFind->setText(QStringLiteral("筛选"));
    // Measured when first shown: measuring loads the box's font.
    whenFirstShown([this] { BTFind->setMinimumHeight(MeWord->sizeHint().height()); });
    LBhint = PMakeLabel(this, QStringLiteral("LBhint"), QStringLiteral("请输入"));
    Label3 = new TLinkLabel(QStringLiteral("?"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setToolTip(QStringLiteral("操作帮助"));

    PLV = PMakeReportView(this, QStringLiteral("PLV"),
                          {{QStringLiteral("单词"), 120}, {QStringLiteral("解释"), 200}, {QStringLiteral("所在词表"), 80}});
    PLV->header()->setMinimumSectionSize(20);
    PLV->setEditTriggers(QAbstractItemView::NoEditTriggers);
    PLV->setStyleSheet(QStringLiteral(
        "QTreeView::item { border-right: 1px solid #d8d8d8; border-bottom: 1px solid #d8d8d8; }"
        // The selection stays visible while the focus is elsewhere.
        "QTreeView::item:selected { background: #3874d8; color: white; }"));

    PopMenuPLV = new QMenu(this);
    PopMenuPLV->setObjectName(QStringLiteral("PopMenuPLV"));
    PopPLV1 = PopMenuPLV->addAction(QStringLiteral("查该词详细信息..."));
    PopPLV1->setObjectName(QStringLiteral("PopPLV1"));
    PopPLV2 = PopMenuPLV->addAction(QStringLiteral("选中单词转移至..."));
    PopPLV2->setObjectName(QStringLiteral("PopPLV2"));
    connect(PLV, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { PopMenuPLV->popup(PLV->viewport()->mapToGlobal(pos)); });
    PSetPopupAuto(true);

    auto *top = new QHBoxLayout;
    top->addWidget(MeWord, 1);
    top->addWidget(CBFindMode);
    top->addWidget(BTFind);
    auto *hints = new QHBoxLayout;
    hints->addWidget(LBhint, 1);
    hints->addWidget(Label3);
    auto *main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addLayout(hints);
    main->addWidget(PLV, 1);
    PCenterOnScreen(this);

    PConnect(BTFind, &QToolButton::clicked, this, &TPSameSubStrWordForm::BTFindClick);
    PConnect(MeWord, &QLineEdit::returnPressed, this, &TPSameSubStrWordForm::BTFindClick);
    PConnect(PLV, &QTreeWidget::itemSelectionChanged, this, &TPSameSubStrWordForm::PLVSelectItem);
    PConnect(PopPLV1, &QAction::triggered, this, &TPSameSubStrWordForm::PopPLV1Click);
    PConnect(PopPLV2, &QAction::triggered, this, &TPSameSubStrWordForm::PopPLV2Click);
    PConnect(Label3, &TLinkLabel::clicked, this, &TPSameSubStrWordForm::Label3Click);
    PLoadFormBackground(this);
}

void TPSameSubStrWordForm::PSetPopupAuto(bool on)
{
    m_popupAuto = on;
    PLV->setContextMenuPolicy(on ? Qt::CustomContextMenu : Qt::NoContextMenu);
}

void TPSameSubStrWordForm::FormActivate()
{
    MeWord->setText(QStringLiteral("l x b"));
    PClearItems(PLV);
    LBhint->clear();
    PopPLV1->setEnabled(false);
    PopPLV2->setEnabled(false);
}

void TPSameSubStrWordForm::FormClose(TCloseAction &) { PSetPopupAuto(true); }

void TPSameSubStrWordForm::BTFindClick()
{
    QString p = PMakeLikePattern(MeWord->text());
    const int n = p.size() - 2;
    const QString mode = CBFindMode->currentText();
    if (mode == kPrefix)
        p = QLatin1Char('"') + p.right(n);
    else if (mode == kSuffix)
        p = p.left(n) + QLatin1Char('"');
    PSearchAllTables(p, PLV);
    LBhint->setText(QStringLiteral("共查到 ") + QString::number(PItemCount(PLV)) + QStringLiteral(" 词"));
}

void TPSameSubStrWordForm::PLVSelectItem()
{
    const int selected = PSelectedCount(PLV);
    PopPLV1->setEnabled(selected == 1);
    // The hit to open is the one still selected, not the one a click may just have deselected.
    if (selected == 1)
        PFilterSelIndex = PLV->indexOfTopLevelItem(PLV->selectedItems().constFirst());
    PopPLV2->setEnabled(selected >= 1);
}

void TPSameSubStrWordForm::PopPLV1Click()
{
    if (PItemCount(PLV) == 0)
        return;
    if (QTreeWidgetItem *item = PItemAt(PLV, PFilterSelIndex))
        PHandOver(PHandOvers().dictForm, PCaption(item), false);
}

void TPSameSubStrWordForm::PopPLV2Click()
{
    const QString target = PChooseDialog(QStringLiteral("将选中单词转移到"), QStringLiteral("多表单词转移"), nullptr);
    if (target == Code::ChooserCancel)
        return;
    for (int i = 0; i < PItemCount(PLV); ++i) {
        QTreeWidgetItem *item = PItemAt(PLV, i);
        const QString list = PSubItem(item, kListColumn);
        // Table names ignore letter case: a "move" into the word's own list would delete it.
        if (!item->isSelected() || list.compare(target, Qt::CaseInsensitive) == 0)
            continue;
        const QString word = PCaption(item);
        JetTransaction t(Pdatamodule->PConnection);
        Pdatamodule->PMoveOneRecordToTable(list, target, Col::Word, word);
        Pdatamodule->PDeleteOneRecordFromTable(list, Col::Word, word);
        t.commit();
        PSetSubItem(item, kListColumn, target);
    }
}

void TPSameSubStrWordForm::Label3Click() { POpenUrl(Addr::HelpPage(QStringLiteral("filter"))); }
