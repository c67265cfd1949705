#include "wordlists/inputformwordsvc.h"

#include "core/bankmaint.h"
#include "vocab/bankvocab.h"
#include "core/choosers.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "core/listviews.h"
#include "core/wordlistops.h"
#include "platform/dialogs.h"
#include "platform/http.h"
#include "platform/linklabel.h"
#include "platform/windowkit.h"
#include "services/addresses.h"
#include "services/phonetic.h"
#include "services/utils.h"
#include "services/webaccess.h"
#include "services/wordxml.h"
#include "services/handovers.h"
#include "wordlists/newwordrow.h"
#include "services/richtext.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDomDocument>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

TPInputFormWordSvc *PInputFormWordSvc = nullptr;

namespace {

QLabel *blueLabel(const QString &caption, QWidget *parent)
{
    auto *l = new QLabel(caption, parent);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, QColor(0, 0, 255));
    l->setPalette(p);
    l->setWordWrap(true);
    return l;
}

// A step of the form: its caption, the blue instruction, then its controls.
QGroupBox *step(QWidget *parent, const QString &caption, const QString &instruction, QVBoxLayout *&body)
{
    auto *g = new QGroupBox(caption, parent);
    body = new QVBoxLayout(g);
    body->addWidget(blueLabel(instruction, g));
    return g;
}

// The lines of the box as a list of lines counts them: a final line break starts no line.
QStringList boxLines(const QPlainTextEdit *box)
{
    const QString text = box->toPlainText();
    if (text.isEmpty())
        return {};
    QStringList lines = text.split(QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')))
        lines.removeLast();
    return lines;
}

// How the import ended: the lines stored, the lines not stored and whether they went back to the
// box, and why the service stopped being asked.
QString importReport(int stored, int failed, bool backInBox, TPWordAnswer trouble)
{
    QString text = QStringLiteral("已入库 %1 行").arg(stored);
    if (failed > 0)
        text += (backInBox ? QStringLiteral("，%1 行未能入库，已放回输入框") : QStringLiteral("，%1 行未能入库")).arg(failed);
    text += QStringLiteral("。");
    const QString why = PWordServiceTrouble(trouble);
    if (!why.isEmpty())
        text += QStringLiteral("\n") + why + QStringLiteral("。");
    return text;
}

}  // namespace

TPInputFormWordSvc::TPInputFormWordSvc(QWidget *parent)
    : TPForm(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("PInputFormWordSvc"));
    setWindowTitle(QStringLiteral("单词批量入库 for LexorinV03 - Tavisk设计"));
    setFixedSize(790, 568);

    auto *notice = new QLabel(
        QStringLiteral("操作前请确保互联网连接正常，只需从左至右完成蓝色文字指定的操作即可实现单词入库。"), this);
    QFont bold = notice->font();
    bold.setBold(true);
    notice->setFont(bold);
    Image2 = PNamed(new TLinkLabel(QStringLiteral("海词"), this), "Image2");
    Image2->setToolTip(QStringLiteral("访问海词网站"));
    Image2->setCursor(Qt::PointingHandCursor);
    Image2->setStyleSheet(QStringLiteral("color: #0000a0; text-decoration: underline;"));
    SpeedButton3 = PNamed(new QToolButton(this), "SpeedButton3");
    SpeedButton3->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    SpeedButton3->setToolTip(QStringLiteral("完全退出"));
    Label6 = PNamed(new TLinkLabel(QStringLiteral("?"), this), "Label6");
    Label6->setToolTip(QStringLiteral("操作帮助"));
    Label6->setCursor(Qt::WhatsThisCursor);
    auto *head = new QHBoxLayout;
    head->addWidget(notice, 1);
    head->addWidget(Image2);
    head->addWidget(SpeedButton3);
    head->addWidget(Label6);

    QVBoxLayout *body = nullptr;
    QGroupBox *step1 = step(this, QStringLiteral("第一步："), QStringLiteral("将单词输入或粘贴入下框（每行一词）"), body);
    MeInputList = PNamed(new QPlainTextEdit(step1), "MeInputList");
    MeInputList->setLineWrapMode(QPlainTextEdit::NoWrap);
    MeInputList->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    MeInputList->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Button2 = PNamed(new QPushButton(QStringLiteral("清空此框文本"), step1), "Button2");
    body->addWidget(MeInputList, 1);
    body->addWidget(Button2);

    QGroupBox *step2 = step(this, QStringLiteral("第二步：（可选）"), QStringLiteral("重新指定词库文件"), body);
    Button1 = PNamed(new QPushButton(QStringLiteral("指定..."), step2), "Button1");
    body->addWidget(Button1);

    QGroupBox *step3 = step(this, QStringLiteral("第三步：（可选）"), QStringLiteral("重新指定目标单词表"), body);
    ComboBox3 = PNamed(new QComboBox(step3), "ComboBox3");
    Button3 = PNamed(new QPushButton(QStringLiteral("新建..."), step3), "Button3");
    body->addWidget(ComboBox3);
    body->addWidget(Button3);

    QGroupBox *step4 = step(this, QStringLiteral("第四步："), QStringLiteral("单词入库"), body);
    BtCreate = PNamed(new QPushButton(QStringLiteral("入库"), step4), "BtCreate");
    BtCreate->setFont(bold);
    CBKeepUnique = PNamed(new QCheckBox(QStringLiteral("入库后自动删去重复单词"), step4), "CBKeepUnique");
    CBKeepUnique->setChecked(true);
    CBClearMemo = PNamed(new QCheckBox(QStringLiteral("入库后自动清空粘贴文本"), step4), "CBClearMemo");
    CBClearMemo->setChecked(true);
    body->addWidget(BtCreate);
    body->addWidget(CBKeepUnique);
    body->addWidget(CBClearMemo);

    auto *middle = new QVBoxLayout;
    middle->addWidget(step2);
    middle->addWidget(step3);
    middle->addWidget(step4);
    middle->addStretch();

    QGroupBox *step5 = step(this, QStringLiteral("第五步：（可选）"), QStringLiteral("查看库中单词"), body);
    LVWordList = PNamed(new QTreeWidget(step5), "LVWordList");
    LVWordList->setHeaderLabels({QStringLiteral("ID"), QStringLiteral("单词")});
    LVWordList->setColumnWidth(0, 35);
    LVWordList->setColumnWidth(1, 140);
    LVWordList->setRootIsDecorated(false);
    LVWordList->setSelectionMode(QAbstractItemView::ExtendedSelection);
    LVWordList->setSelectionBehavior(QAbstractItemView::SelectRows);
    LVWordList->setEditTriggers(QAbstractItemView::NoEditTriggers);
    LVWordList->setToolTip(QStringLiteral("双击可删除选中单词"));
    LBSelPos = PNamed(new QLabel(step5), "LBSelPos");
    Button4 = PNamed(new QPushButton(QStringLiteral("删除选中单词"), step5), "Button4");
    CheckBox3 = PNamed(new QCheckBox(QStringLiteral("显示单词信息"), step5), "CheckBox3");
    body->addWidget(LVWordList, 1);
    body->addWidget(LBSelPos);
    body->addWidget(Button4);
    body->addWidget(CheckBox3);

    GBWordInf = PNamed(new QGroupBox(QStringLiteral("单词信息："), this), "GBWordInf");
    EdWord = PNamed(new QLineEdit(GBWordInf), "EdWord");
    EdPron = PNamed(new QLineEdit(GBWordInf), "EdPron");
    EdExpl = PNamed(new QLineEdit(GBWordInf), "EdExpl");
    for (QLineEdit *e : {EdWord, EdPron, EdExpl})
        e->setReadOnly(true);
    RESent = PNamed(new QTextEdit(GBWordInf), "RESent");
    auto *info = new QFormLayout(GBWordInf);
    info->addRow(QStringLiteral("单词"), EdWord);
    info->addRow(QStringLiteral("音标"), EdPron);
    info->addRow(QStringLiteral("解释"), EdExpl);
    info->addRow(RESent);
    GBWordInf->setFixedWidth(190);
    GBWordInf->hide();

    auto *steps = new QHBoxLayout;
    steps->addWidget(step1, 3);
    steps->addLayout(middle, 2);
    steps->addWidget(step5, 3);
    steps->addWidget(GBWordInf);

    ProgressBar1 = PNamed(new QProgressBar(this), "ProgressBar1");
    ProgressBar1->setTextVisible(false);
    LBhint = PNamed(new QLabel(this), "LBhint");
    // As wide as its text from the start, so the bar beside it does not move when it shows.
    LBhint->setFixedWidth(LBhint->fontMetrics().horizontalAdvance(PWordServiceAsking()) + 8);
    auto *foot = new QHBoxLayout;
    foot->addWidget(LBhint);
    foot->addWidget(ProgressBar1, 1);

    auto *main = new QVBoxLayout(this);
    main->addLayout(head);
    main->addLayout(steps, 1);
    main->addLayout(foot);

    PopupMenu1 = PNamed(new QMenu(this), "PopupMenu1");
    N3 = PNamed(PopupMenu1->addAction(QStringLiteral("全选")), "N3");
    N1 = PNamed(PopupMenu1->addAction(QStringLiteral("删除选中单词")), "N1");
    N2 = PNamed(PopupMenu1->addAction(QStringLiteral("复制选中单词到单词输入框")), "N2");
    LVWordList->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(LVWordList, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { PopupMenu1->popup(LVWordList->viewport()->mapToGlobal(pos)); });

    connect(Button2, &QPushButton::clicked, MeInputList, &QPlainTextEdit::clear);
    PConnect(Button1, &QPushButton::clicked, this, &TPInputFormWordSvc::Button1Click);
    PConnect(Button3, &QPushButton::clicked, this, &TPInputFormWordSvc::Button3Click);
    PConnect(BtCreate, &QPushButton::clicked, this, &TPInputFormWordSvc::BtCreateClick);
    PConnect(Button4, &QPushButton::clicked, this, &TPInputFormWordSvc::Button4Click);
    PConnect(N1, &QAction::triggered, this, &TPInputFormWordSvc::Button4Click);
    PConnect(LVWordList, &QTreeWidget::itemDoubleClicked, this, &TPInputFormWordSvc::Button4Click);
    connect(N3, &QAction::triggered, LVWordList, &QTreeWidget::selectAll);
    PConnect(N2, &QAction::triggered, this, &TPInputFormWordSvc::N2Click);
    PConnect(ComboBox3, &QComboBox::currentIndexChanged, this, &TPInputFormWordSvc::ComboBox3Change);
    PConnect(LVWordList, &QTreeWidget::currentItemChanged, this, &TPInputFormWordSvc::LVWordListSelectItem);
    connect(CheckBox3, &QCheckBox::toggled, GBWordInf, &QWidget::setVisible);
    connect(Image2, &TLinkLabel::clicked, this, [] { POpenUrl(Addr::WordServiceHost() + QStringLiteral("/")); });
    connect(Label6, &TLinkLabel::clicked, this, [] { POpenUrl(Addr::HelpPage(QStringLiteral("wordsvc"))); });
    connect(SpeedButton3, &QToolButton::clicked, this, [this] {
        close();
        PHandOver(PHandOvers().quit);
    });

    PCenterOnScreen(this);
    PGuard([this] {
        PClearText();
        MeInputList->clear();
        PLoadFormBackground(this);
    });
}

void TPInputFormWordSvc::PClearText()
{
    RESent->clear();
    EdWord->clear();
    EdPron->clear();
    EdExpl->clear();
}

void TPInputFormWordSvc::FormActivate()
{
    PLoadCurrentTableName();
    {
        const QSignalBlocker quiet(ComboBox3);
        ComboBox3->clear();
        PFillTableCombo(ComboBox3);
    }
    PRefreshListView(LVWordList, PCurrentTable, QString(), 0, Mode::InputFormW);
}

void TPInputFormWordSvc::BtCreateClick()
{
    const QStringList lines = boxLines(MeInputList);
    const int n = int(lines.size());
    if (n > PMaxImportLines) {
        PDialogs().message(QStringLiteral("一次最多允许100词入库,而单词输入框中已有") + QString::number(n) +
                           QStringLiteral("行了。"));
        return;
    }
    ProgressBar1->setMaximum(n);
    ProgressBar1->setValue(0);

    QDomDocument doc;
    QStringList failed;
    int stored = 0;
    qsizetype done = 0;  // lines asked for or given up
    bool cancelled = false;
    // Once the service has stopped answering, asking again would only wait once more.
    TPWordAnswer trouble = TPWordAnswer::Known;
    {
        HttpWaiter waiter(this);
        if (n > 0)
            LBhint->setText(PWordServiceAsking());
        const auto asked = qScopeGuard([this] { LBhint->clear(); });
        if (n > 0 && !PIsOnlineWaiting(waiter))
            trouble = TPWordAnswer::Unreachable;
        for (const QString &line : lines) {
            ProgressBar1->setValue(ProgressBar1->value() + 1);
            PClearText();
            TPWordAnswer answer = trouble;
            if (trouble == TPWordAnswer::Known) {
                answer = PAskWordService(doc, line, waiter);
                if (answer == TPWordAnswer::Cancelled) {
                    cancelled = true;
                    break;
                }
                if (answer == TPWordAnswer::Unreachable || answer == TPWordAnswer::NoAnswer)
                    trouble = answer;
            }
            ++done;
            const QDomElement root = doc.documentElement();
            const QString key =
                answer == TPWordAnswer::Known ? root.firstChildElement(QStringLiteral("key")).text() : QString();
            if (key.isEmpty()) {
                failed << line;
                continue;
            }
            EdWord->setText(key);
            EdExpl->setText(root.firstChildElement(QStringLiteral("def")).text());
            RESent->clear();
            PShowExampleSentences(doc, RESent);
            QString pron;
            PLookupPhonetic(key, pron);
            EdPron->setText(pron);
            PInsertNewWord(PCurrentTable, {key, pron, EdExpl->text(), QString(), RESent->toPlainText(), QString()});
            ++stored;
        }
    }
    if (cancelled) {
        // The learner closed the window or quit: the bank is left as it is now, and the lines not
        // stored wait in the box.
        MeInputList->setPlainText((failed + lines.mid(done)).join(QLatin1Char('\n')));
        return;
    }

    if (!failed.isEmpty())
        MeInputList->setPlainText(failed.join(QLatin1Char('\n')));
    // Without the service the learner's lines stay to be tried again.
    const bool answering = trouble == TPWordAnswer::Known;
    if (CBClearMemo->isChecked() && answering)
        MeInputList->clear();
    if (CBKeepUnique->isChecked())
        PLoadAndDedupTable(LVWordList, PCurrentTable, Col::Word);
    FormActivate();
    PDialogs().message(importReport(stored, int(failed.size()), !MeInputList->toPlainText().isEmpty(), trouble));
}

void TPInputFormWordSvc::Button1Click()
{
    POpenWordBank();
    FormActivate();
}

void TPInputFormWordSvc::Button3Click()
{
    PNewWordTable();
    FormActivate();
}

void TPInputFormWordSvc::Button4Click()
{
    PDeleteSelectedWords(LVWordList, PCurrentTable);
    PClearText();
}

void TPInputFormWordSvc::ComboBox3Change()
{
    PSetCurrentTable(ComboBox3->currentText());
    PRefreshListView(LVWordList, PCurrentTable, QString(), 0, Mode::InputFormW);
}

void TPInputFormWordSvc::LVWordListSelectItem()
{
    QTreeWidgetItem *item = LVWordList->currentItem();
    if (!item)
        return;
    const QString word = PSubItem(item, PSub(ModeCol::InputFormW::Word));
    try {
        JetQuery &q = Pdatamodule->PQuery;
        Pdatamodule->PSelectFromTableWhere(PCurrentTable, Col::Word, word);
        q.open();
        EdWord->setText(word);
        if (!q.eof()) {
            EdExpl->setText(q.fieldByName(Col::Explanation));
            EdPron->setText(q.fieldByName(Col::Phonetic));
            PShowStoredText(RESent, q.fieldByName(Col::Example));
        }
        q.close();
    } catch (const EngineError &) {
        PDialogs().message(QStringLiteral("词库刷新出错"), QString(), Dialogs::Critical);
    }
    LBSelPos->setText(QStringLiteral("第 ") + QString::number(LVWordList->indexOfTopLevelItem(item) + 1) +
                      QStringLiteral(" 项"));
    PApplyPhoneticFont(EdPron);
}

void TPInputFormWordSvc::N2Click()
{
    for (int i = 0; i < LVWordList->topLevelItemCount(); ++i) {
        QTreeWidgetItem *item = LVWordList->topLevelItem(i);
        if (item->isSelected())
            MeInputList->appendPlainText(PSubItem(item, PSub(ModeCol::InputFormW::Word)));
    }
}
