#include "study/studytoolselectform.h"

#include "vocab/bankvocab.h"
#include "core/choosers.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "platform/clock.h"
#include "platform/dialogs.h"
#include "platform/inifile.h"
#include "platform/linklabel.h"
#include "services/addresses.h"
#include "services/pronunciation.h"
#include "services/utils.h"
#include "services/webaccess.h"
#include "study/createform.h"
#include "services/handovers.h"
#include "platform/windowkit.h"
#include "platform/windowlook.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

TPStudyToolSelectForm *PStudyToolSelectForm = nullptr;

namespace {

// A group size typed beyond the maximum becomes the maximum, one below the minimum the minimum
// when the edit ends, instead of refusing the keystroke.
class TPGroupNumEdit : public QSpinBox {
public:
    explicit TPGroupNumEdit(QWidget *parent) : QSpinBox(parent) { setCorrectionMode(CorrectToNearestValue); }

protected:
    QValidator::State validate(QString &input, int &pos) const override
    {
        bool ok = false;
        const qint64 v = input.trimmed().toLongLong(&ok);
        if (ok && v > maximum()) {
            input = QString::number(maximum());
            pos = int(input.size());
            return QValidator::Acceptable;
        }
        return QSpinBox::validate(input, pos);
    }
};



const QString kRolling = QStringLiteral("滚动产生");

TLinkLabel *helpLabel(QWidget *parent, const QString &hint, const QString &topic)
{
    auto *l = new TLinkLabel(QStringLiteral("?"), parent);
    l->setToolTip(hint);
    l->setCursor(Qt::WhatsThisCursor);
    l->setStyleSheet(QStringLiteral("color: blue; font-weight: bold;"));
    QObject::connect(l, &TLinkLabel::clicked, l, [topic] { PGuard([&] { POpenUrl(Addr::HelpPage(topic)); }); });
    return l;
}

QStringList numbers(int from, int to)
{
    QStringList out;
    for (int i = from; i <= to; ++i)
        out << QString::number(i);
    return out;
}

}  // namespace

TPStudyToolSelectForm::TPStudyToolSelectForm(QWidget *parent)
    : TPForm(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                         Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("PStudyToolSelectForm"));
    setWindowTitle(QStringLiteral("选择学习器"));
    setFixedSize(522, 377);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, NamedColor::MoneyGreen);
    setPalette(palette);
    setAutoFillBackground(true);

    GroupBox1 = PMakeGroup(this, "GroupBox1", QStringLiteral("选择学习器"));
    auto *toolGrid = new QGridLayout(GroupBox1);
    const struct {
        QRadioButton *&radio;
        const char *name;
        const QString &caption;
        const char *topic;
    } toolTable[] = {{RBNormalSpell, "RBNormalSpell", ToolName::Spell, "normalspell"},
                     {RBCrazySpell, "RBCrazySpell", ToolName::CrazySpell, "crazyspell"},
                     {RBDirectCheck, "RBDirectCheck", ToolName::TickList, "directcheck"},
                     {RBSingleChose, "RBSingleChose", ToolName::MultipleChoice, "singlechose"},
                     {RBConnect, "RBConnect", ToolName::Matching, "connect"},
                     {RBFastRecall, "RBFastRecall", ToolName::QuickRecall, "fastrecall"},
                     {RadioButton1, "RadioButton1", ToolName::MiniPlayer, "miniplay"}};
    int row = 0;
    for (const auto &t : toolTable) {
        t.radio = new QRadioButton(t.caption, GroupBox1);
        t.radio->setObjectName(QLatin1String(t.name));
        toolGrid->addWidget(t.radio, row, 0);
        toolGrid->addWidget(helpLabel(GroupBox1, QStringLiteral("功能介绍"), QLatin1String(t.topic)), row, 1);
        ++row;
    }
    RBNormalSpell->setChecked(true);

    GroupBox5 = PMakeGroup(this, "GroupBox5", QStringLiteral("词表选择"));
    CBWordTable = PMakeCombo(GroupBox5, "CBWordTable", {});
    LBWordCount = PMakeLabel(GroupBox5, QStringLiteral("LBWordCount"), QString());
    auto *tableRow = new QHBoxLayout(GroupBox5);
    tableRow->addWidget(CBWordTable, 1);
    tableRow->addWidget(LBWordCount);

    GBGroupNum = PMakeGroup(this, "GBGroupNum", QStringLiteral("每组产词数"));
    SEGroupNum = new TPGroupNumEdit(GBGroupNum);
    SEGroupNum->setObjectName(QStringLiteral("SEGroupNum"));
    SEGroupNum->setRange(6, 500);
    (new QHBoxLayout(GBGroupNum))->addWidget(SEGroupNum);

    GBCreateMode = PMakeGroup(this, "GBCreateMode", QStringLiteral("产词模式"));
    CBCreateMode = PMakeCombo(GBCreateMode, "CBCreateMode", {});
    auto *modeRow = new QHBoxLayout(GBCreateMode);
    modeRow->addWidget(CBCreateMode, 1);
    modeRow->addWidget(helpLabel(GBCreateMode, QStringLiteral("了解产词模式"), QStringLiteral("createmode")));

    GBcrazy = PMakeGroup(this, "GBcrazy", QStringLiteral("选词规则"));
    CBSelectRule = PMakeCombo(GBcrazy, "CBSelectRule",
                         {QStringLiteral("本词表内全部单词"), QStringLiteral("今日学过的单词"),
                          QStringLiteral("已掌握的单词"), QStringLiteral("未掌握的单词")});
    LBSelectedCount = PMakeLabel(GBcrazy, QStringLiteral("LBSelectedCount"), QString());
    auto *ruleRow = new QHBoxLayout(GBcrazy);
    ruleRow->addWidget(CBSelectRule, 1);
    ruleRow->addWidget(LBSelectedCount);

    Panel1 = new QWidget(this);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    GroupBox2 = PMakeGroup(Panel1, "GroupBox2", QStringLiteral("题型"));
    CBTestType = PMakeCombo(GroupBox2, "CBTestType",
                       {QStringLiteral("看英文选中文"), QStringLiteral("看中文选英文"), QStringLiteral("听英文选中文")});
    (new QHBoxLayout(GroupBox2))->addWidget(CBTestType);
    GroupBox3 = PMakeGroup(Panel1, "GroupBox3", QStringLiteral("选项数目"));
    CBOptionNum = PMakeCombo(GroupBox3, "CBOptionNum", numbers(3, 6));
    (new QHBoxLayout(GroupBox3))->addWidget(CBOptionNum);
    auto *panelRow = new QHBoxLayout(Panel1);
    panelRow->setContentsMargins(0, 0, 0, 0);
    panelRow->addWidget(GroupBox2, 3);
    panelRow->addWidget(GroupBox3, 2);
    Panel1->hide();

    GBRollRule = PMakeGroup(this, "GBRollRule", QStringLiteral("滚动产词规则"));
    CBRollRule1 = PMakeCombo(GBRollRule, "CBRollRule1", numbers(0, 12) << QStringLiteral("14") << QStringLiteral("15"));
    CBRollRule2 = PMakeCombo(GBRollRule, "CBRollRule2", numbers(0, 10));
    CBRollRule3 = PMakeCombo(GBRollRule, "CBRollRule3", numbers(0, 5));
    auto *rollGrid = new QGridLayout(GBRollRule);
    const QString rollCaptions[] = {QStringLiteral("第一轮做对次数"), QStringLiteral("第二轮做对次数"),
                                    QStringLiteral("第三轮做对次数")};
    QComboBox *rollCombos[] = {CBRollRule1, CBRollRule2, CBRollRule3};
    for (int i = 0; i < 3; ++i) {
        rollGrid->addWidget(new QLabel(rollCaptions[i], GBRollRule), i, 0);
        rollGrid->addWidget(rollCombos[i], i, 1);
    }
    GBRollRule->hide();

    Button6 = PMakeButton(this, QStringLiteral("Button6"), QStringLiteral("开始"));
    setDefaultButton(Button6);
    SpeedButton3 = new QToolButton(this);
    SpeedButton3->setObjectName(QStringLiteral("SpeedButton3"));
    SpeedButton3->setToolTip(QStringLiteral("完全退出"));
    SpeedButton3->setAutoRaise(true);
    SpeedButton3->setIcon(style()->standardIcon(QStyle::SP_DialogCloseButton));
    Label10 = new TLinkLabel(QStringLiteral("提示：配合使用不同学习器方能达到单词学习的综合效益"), this);
    Label10->setObjectName(QStringLiteral("Label10"));
    Label10->setCursor(Qt::PointingHandCursor);

    auto *left = new QVBoxLayout;
    left->addWidget(GroupBox1);
    left->addWidget(GroupBox5);
    auto *right = new QVBoxLayout;
    for (QWidget *w : {static_cast<QWidget *>(GBGroupNum), static_cast<QWidget *>(GBCreateMode),
                       static_cast<QWidget *>(GBcrazy), Panel1, static_cast<QWidget *>(GBRollRule)})
        right->addWidget(w);
    right->addStretch();
    auto *halves = new QHBoxLayout;
    halves->addLayout(left, 1);
    halves->addLayout(right, 1);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(Label10, 1);
    bottom->addWidget(Button6);
    bottom->addWidget(SpeedButton3);
    auto *main = new QVBoxLayout(this);
    main->addLayout(halves, 1);
    main->addLayout(bottom);

    for (QRadioButton *r : tools()) {
        if (r != RadioButton1)
            connect(r, &QRadioButton::clicked, this, [this, r] { PGuard([&] { ToolClick(r); }); });
    }
    const auto onChange = [this](QComboBox *c, std::function<void()> f) {
        connect(c, &QComboBox::currentIndexChanged, this, [f] { PGuard(f); });
    };
    const auto writes = [onChange](QComboBox *c, const QString &section, const QString &key) {
        onChange(c, [c, section, key] { PConfigIni->WriteString(section, key, c->currentText()); });
    };
    onChange(CBWordTable, [this] { CBWordTableChange(); });
    onChange(CBCreateMode, [this] { CBCreateModeChange(); });
    onChange(CBSelectRule, [this] { CBSelectRuleChange(); });
    writes(CBTestType, Ini::VovaDereridu, Ini::TestType);
    writes(CBOptionNum, Ini::VovaDereridu, Ini::OptionCount);
    writes(CBRollRule1, Ini::RollRule, Ini::RollRound1);
    writes(CBRollRule2, Ini::RollRule, Ini::RollRound2);
    writes(CBRollRule3, Ini::RollRule, Ini::RollRound3);
    connect(SEGroupNum, &QSpinBox::valueChanged, this, [this] { PGuard([this] { SEGroupNumChange(); }); });
    PConnect(Button6, &QPushButton::clicked, this, &TPStudyToolSelectForm::Button6Click);
    PConnect(SpeedButton3, &QToolButton::clicked, this, &TPStudyToolSelectForm::SpeedButton3Click);
    connect(Label10, &TLinkLabel::clicked, this,
            [] { PGuard([] { POpenUrl(Addr::HelpPage(QStringLiteral("studytools"))); }); });

    PCenterOnScreen(this);
}

TPStudyToolSelectForm::~TPStudyToolSelectForm() = default;

QList<QRadioButton *> TPStudyToolSelectForm::tools() const
{
    return {RBNormalSpell, RBCrazySpell, RBDirectCheck, RBSingleChose, RBConnect, RBFastRecall, RadioButton1};
}

QRadioButton *TPStudyToolSelectForm::checkedTool() const
{
    for (QRadioButton *r : tools())
        if (r->isChecked())
            return r;
    return nullptr;
}

void TPStudyToolSelectForm::setComboText(QComboBox *ComboBox, const QString &Text)
{
    // Set from the settings, not by the learner: no change handler runs.
    const QSignalBlocker quiet(ComboBox);
    ComboBox->setCurrentIndex(ComboBox->findText(Text));
}

void TPStudyToolSelectForm::FormActivate()
{
    PLoadFormBackground(this);
    {
        const QSignalBlocker quiet(CBWordTable);
        CBWordTable->clear();
        PLoadCurrentTableName();
        PFillTableCombo(CBWordTable);
    }
    LBWordCount->setText(QString::number(Pdatamodule->PGetCountFromTable(PCurrentTable)) + QStringLiteral("词"));
    const int stored = PConfigIni->ReadInteger(Ini::Main, Ini::GroupSize, 12);
    SEGroupNum->setValue(stored);
    // A stored size outside the limits is stored clamped, also when the box showed that value already.
    if (SEGroupNum->value() != stored)
        SEGroupNumChange();
    setComboText(CBSelectRule,
                 PConfigIni->ReadString(Ini::CrazySpeller, Ini::CrazyRule, QStringLiteral("本词表内全部单词")));
    LBSelectedCount->setText(PCountBySelectRule(CBSelectRule->currentText()) + QStringLiteral("词"));
    setComboText(CBOptionNum, PConfigIni->ReadString(Ini::VovaDereridu, Ini::OptionCount, QStringLiteral("4")));
    setComboText(CBTestType, PConfigIni->ReadString(Ini::VovaDereridu, Ini::TestType, QStringLiteral("汉译英")));
    setComboText(CBRollRule1, PConfigIni->ReadString(Ini::RollRule, Ini::RollRound1, QStringLiteral("3")));
    setComboText(CBRollRule2, PConfigIni->ReadString(Ini::RollRule, Ini::RollRound2, QStringLiteral("2")));
    setComboText(CBRollRule3, PConfigIni->ReadString(Ini::RollRule, Ini::RollRound3, QStringLiteral("1")));

    const QString tool = PConfigIni->ReadString(Ini::Main, Ini::Tool, ToolName::Spell);
    for (QRadioButton *r : tools()) {
        if (r == RadioButton1 || r->text() != tool || r->isChecked())
            continue;
        r->setChecked(true);
        ToolClick(r);
    }
    PApplyToolChoice(tool, PConfigIni->ReadString(Ini::Main, Ini::CreateMode, QStringLiteral("最近优先")));
}

void TPStudyToolSelectForm::FormClose(TCloseAction &)
{
    PHandOver(PHandOvers().welcomeForm);
}

void TPStudyToolSelectForm::PFillCreateModes(const QString &Tool)
{
    const QSignalBlocker quiet(CBCreateMode);
    CBCreateMode->clear();
    if (Tool == ToolName::Spell)
        CBCreateMode->addItems({QStringLiteral("遗忘曲线"), kRolling});
    if (Tool == ToolName::MultipleChoice)
        CBCreateMode->addItem(QStringLiteral("智能产生"));
    CBCreateMode->addItems({QStringLiteral("最近优先"), QStringLiteral("最远优先"), QStringLiteral("随机产生")});
}

void TPStudyToolSelectForm::PApplyToolChoice(const QString &Tool, const QString &Mode)
{
    PFillCreateModes(Tool);
    setComboText(CBCreateMode, Mode);
    PConfigIni->WriteString(Ini::Main, Ini::Tool, Tool);
    Panel1->setVisible(Tool == ToolName::MultipleChoice);
    // Lowering the maximum clamps the value at once, and its change handler stores it.
    SEGroupNum->setMaximum(Tool == ToolName::MultipleChoice ? 50 : 500);
    GBcrazy->setVisible(Tool == ToolName::CrazySpell);
    GBRollRule->setVisible(Tool == ToolName::Spell && CBCreateMode->currentText() == kRolling);
    const bool groupTool = Tool != ToolName::QuickRecall && Tool != ToolName::CrazySpell && Tool != ToolName::Matching && Tool != ToolName::TickList;
    GBGroupNum->setVisible(groupTool);
    GBCreateMode->setVisible(groupTool);
}

QString TPStudyToolSelectForm::PCountBySelectRule(const QString &Rule)
{
    const QString &t = PCurrentTable;
    const auto mastered = [] { return Pdatamodule->PGetCountFromTableWhere(t, Col::MasterType, Code::Master11); };
    qint64 count;
    if (Rule == QStringLiteral("本词表内全部单词"))
        count = Pdatamodule->PGetCountFromTable(t);
    else if (Rule == QStringLiteral("今日学过的单词"))
        count = Pdatamodule->PGetCountFromTableWhere(t, Col::LastTested, PDateText(PToday()));
    else if (Rule == QStringLiteral("已掌握的单词"))
        count = mastered();
    else if (Rule == QStringLiteral("未掌握的单词"))
        count = Pdatamodule->PGetCountFromTable(t) - mastered();
    else
        return QString();
    return QString::number(count);
}

void TPStudyToolSelectForm::ToolClick(QRadioButton *Radio)
{
    PApplyToolChoice(Radio->text(), PConfigIni->ReadString(Ini::Main, Ini::CreateMode, QStringLiteral("最近优先")));
}

void TPStudyToolSelectForm::CBWordTableChange()
{
    PSetCurrentTable(CBWordTable->currentText());
    const int words = Pdatamodule->PGetCountFromTable(PCurrentTable);
    LBWordCount->setText(QString::number(words) + QStringLiteral("词"));
    LBSelectedCount->setText(PCountBySelectRule(CBSelectRule->currentText()) + QStringLiteral("词"));
    if (words > 500)
        PDialogs().message(QStringLiteral("此表单词数目过大，可能导致显示速度降低，建议减少到500以下"));
}

void TPStudyToolSelectForm::CBCreateModeChange()
{
    GBRollRule->setVisible(CBCreateMode->currentText() == kRolling);
    PConfigIni->WriteString(Ini::Main, Ini::CreateMode, CBCreateMode->currentText());
}

void TPStudyToolSelectForm::SEGroupNumChange()
{
    PConfigIni->WriteInteger(Ini::Main, Ini::GroupSize, SEGroupNum->value());
}

void TPStudyToolSelectForm::CBSelectRuleChange()
{
    PConfigIni->WriteString(Ini::CrazySpeller, Ini::CrazyRule, CBSelectRule->currentText());
    LBSelectedCount->setText(PCountBySelectRule(CBSelectRule->currentText()) + QStringLiteral("词"));
}

void TPStudyToolSelectForm::SpeedButton3Click()
{
    PHandOver(PHandOvers().quit);
}

void TPStudyToolSelectForm::Button6Click()
{
    QRadioButton *checked = checkedTool();
    const TPHandOvers &to = PHandOvers();
    // Each hand-over checks its target first, so this window never hides with nothing to show.
    const auto handTo = [this](const std::function<void()> &show) {
        if (!show)
            return;
        Hide();
        show();
    };
    if (checked == RBNormalSpell || checked == RBSingleChose) {
        if (CBCreateMode->currentText().isEmpty()) {
            PDialogs().message(QStringLiteral("请选择一种产词模式"));
            return;
        }
        handTo(to.createForm);
    } else if (checked == RBFastRecall) {
        handTo(to.recallFormSpell);
    } else if (checked == RBConnect) {
        if (!to.linkerForm)
            return;
        PPlayBackMusic(QStringLiteral("test"));
        PPlayMusicFile(QStringLiteral("test"));
        handTo(to.linkerForm);
    } else if (checked == RBCrazySpell) {
        // A rule that is not one of the four counts nothing.
        if (PCountBySelectRule(CBSelectRule->currentText()).toLongLong() < 6) {
            PDialogs().message(QStringLiteral("没有足够符合条件的单词"));
            return;
        }
        if (!to.crazySpellForm)
            return;
        PConfigIni->WriteString(Ini::CrazySpeller, Ini::CrazyTable, PCurrentTable);
        PPlayBackMusic(QStringLiteral("test"));
        PPlayMusicFile(QStringLiteral("test"));
        to.crazySpellForm();
    } else if (checked == RBDirectCheck) {
        handTo(to.directCheckForm);
    }
}
