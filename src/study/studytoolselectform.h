#pragma once
// The tool choice: where every lesson starts. The learner picks the word list, a study tool and
// its settings; each setting is written at once, for the builder and the tools to read.

#include "platform/formbase.h"
#include "platform/windowkit.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QRadioButton;
class QSpinBox;
class QToolButton;
class QWidget;
class QPushButton;
class TLinkLabel;

class TPStudyToolSelectForm;
extern TPStudyToolSelectForm *PStudyToolSelectForm;

class TPStudyToolSelectForm : public TPForm {
    Q_OBJECT
public:
    explicit TPStudyToolSelectForm(QWidget *parent = nullptr);
    ~TPStudyToolSelectForm() override;

    QGroupBox *GroupBox1;
    QRadioButton *RBNormalSpell, *RBCrazySpell, *RBDirectCheck, *RBSingleChose, *RBConnect, *RBFastRecall,
        *RadioButton1;
    QGroupBox *GroupBox5;
    QComboBox *CBWordTable;
    QLabel *LBWordCount;
    QGroupBox *GBGroupNum;
    QSpinBox *SEGroupNum;
    QGroupBox *GBCreateMode;
    QComboBox *CBCreateMode;
    QGroupBox *GBcrazy;
    QComboBox *CBSelectRule;
    QLabel *LBSelectedCount;
    QWidget *Panel1;
    QGroupBox *GroupBox2, *GroupBox3;
    QComboBox *CBTestType, *CBOptionNum;
    QGroupBox *GBRollRule;
    QComboBox *CBRollRule1, *CBRollRule2, *CBRollRule3;
    QPushButton *Button6;
    QToolButton *SpeedButton3;
    TLinkLabel *Label10;

    void PApplyToolChoice(const QString &Tool, const QString &Mode);
    void PFillCreateModes(const QString &Tool);
    // The number of the current list's words a crazy-spell rule picks, as text; empty for any
    // other text.
    QString PCountBySelectRule(const QString &Rule);

    void Button6Click();
    void SpeedButton3Click();
    void ToolClick(QRadioButton *Radio);
    void CBWordTableChange();
    void CBCreateModeChange();
    void SEGroupNumChange();
    void CBSelectRuleChange();

protected:
    void FormActivate() override;
    void FormClose(TCloseAction &Action) override;

private:
    QList<QRadioButton *> tools() const;
    QRadioButton *checkedTool() const;
    void setComboText(QComboBox *ComboBox, const QString &Text);

    TPInstance<TPStudyToolSelectForm> m_instance{PStudyToolSelectForm, this};
};
