#pragma once
// The bulk import: up to 100 pasted words, one a line, each looked up in the XML word service and
// stored with the service's spelling, meaning, example sentences and the local phonetic into the
// current word list. Lines the service could not give go back into the input box.

#include "platform/formbase.h"
#include "platform/windowkit.h"

class QAction;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTextEdit;
class QToolButton;
class QTreeWidget;
class TLinkLabel;
class TPInputFormWordSvc;

extern TPInputFormWordSvc *PInputFormWordSvc;

// At most this many lines are imported at a time.
constexpr int PMaxImportLines = 100;

class TPInputFormWordSvc : public TPForm {
    Q_OBJECT
public:
    explicit TPInputFormWordSvc(QWidget *parent = nullptr);

    QPlainTextEdit *MeInputList;
    QPushButton *Button2;
    QPushButton *Button1;
    QComboBox *ComboBox3;
    QPushButton *Button3;
    QPushButton *BtCreate;
    QTreeWidget *LVWordList;
    QLabel *LBSelPos;
    QPushButton *Button4;
    QCheckBox *CBKeepUnique;
    QCheckBox *CBClearMemo;
    QCheckBox *CheckBox3;
    QGroupBox *GBWordInf;
    QLineEdit *EdWord;
    QLineEdit *EdPron;
    QLineEdit *EdExpl;
    QTextEdit *RESent;
    QProgressBar *ProgressBar1;
    QLabel *LBhint;  // says that the service is being asked
    TLinkLabel *Image2;
    QToolButton *SpeedButton3;
    TLinkLabel *Label6;
    QMenu *PopupMenu1;
    QAction *N3, *N1, *N2;

    void PClearText();

    void BtCreateClick();
    void Button1Click();
    void Button3Click();
    void Button4Click();
    void ComboBox3Change();
    void LVWordListSelectItem();
    void N2Click();

protected:
    void FormActivate() override;

private:
    TPInstance<TPInputFormWordSvc> m_instance{PInputFormWordSvc, this};
};
