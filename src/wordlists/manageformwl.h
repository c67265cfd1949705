#pragma once
// The word-entry editor: the current word list with every field of the selected word, saving,
// adding, deleting, moving and re-categorising words, de-duplicating, shuffling and resetting
// the list. Opened with ShowModal().

#include "platform/formbase.h"
#include "platform/windowkit.h"
#include "wordlists/eventhook.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;
class QTreeWidget;
class QTreeWidgetItem;
class TLinkLabel;

class TPManageFormWL;
extern TPManageFormWL *PManageFormWL;

class TPManageFormWL : public TPForm {
    Q_OBJECT
public:
    explicit TPManageFormWL(QWidget *parent = nullptr);

    QMenuBar *MainMenu1;
    QMenu *MenuFile;  // 文件, hidden
    QAction *NQuitAll;
    QMenu *MenuOperate;  // 操作
    QAction *NShuffle, *NDedup, *NReset;

    QComboBox *CBCurrentWTb;
    QLabel *LBWordCount;
    QLabel *LBSelectFlag;
    QCheckBox *CheckBox1;  // 朗读
    QComboBox *CBBrowseMode;
    TLinkLabel *Label8;
    QTreeWidget *PLV;
    QTreeWidget *PTempLV;  // hidden scratch list

    QLineEdit *Edit1;  // 单词
    QLineEdit *Edit4;  // 音标
    QLineEdit *Edit3;  // 联想
    QLineEdit *Edit2;  // 解释
    QTextEdit *Memo1;  // 详解
    QTextEdit *Memo2;  // 例句
    QComboBox *Edit5;  // 类别
    QComboBox *ComboBox3;  // 掌握类型
    QPlainTextEdit *Memo22;  // hidden: the rich-text source being saved
    QPushButton *BTConfirm;
    QPushButton *BTextAddMode;

    QMenu *PopupMenu1;  // look-ups on the word
    QList<QAction *> LookupItems;
    QMenu *PopupMenu2;  // the list's menu
    QAction *NDelete, *NMove, *NAppend, *NCategory;
    QMenu *PopupMenu3;  // the example box's menu
    QAction *NRead, *NStress, *NStressMore, *NUnstress, *NStar;

    void Pcleartext();
    void Peditable();
    void Peditmode();
    void Pappendmode();
    void Pscrolltoselected(int Index);
    bool Pcheckedittext();
    bool Pcheckappendtext();
    void Pedit();
    void Pappend();
    void PSetBrowseMode(const QString &Mode);

    // "添加" in append mode, "编辑" after leaving it, empty before either.
    QString PEditorMode() const { return m_mode; }

    void PLVSelectItem(QTreeWidgetItem *Item);
    void PLVColumnClick(int Column);
    void CBCurrentWTbChange();
    void BTConfirmClick();
    void BTextAddModeClick();
    void CBBrowseModeChange();
    void Edit1Change();
    void Memo2SelectionChange();
    // Opens the example box's menu at At when a selection is finished (mouse released, a
    // double-click, the menu key).
    void offerExampleMenu(const QPoint &At);
    void NDeleteClick();
    void NMoveClick();
    void NCategoryClick();
    void NShuffleClick();
    void NDedupClick();
    void NResetClick();
    void Label8Click();

protected:
    void FormActivate() override;

private:
    void buildLayout();
    void buildMenus();
    void connectHandlers();
    void loadLists();
    void loadCategories();
    void showWordCount();
    // Chooses Stored in the master-type box, or shows it there unchosen when the box does not offer it.
    void showMasterType(const QString &Stored);
    // 1 bold, 2 bold red, 0 the box's own format, -1 the selection replaced by "*".
    void emphasise(int Level);
    void readSelection();

    QString m_mode;
    int m_lastIndex = 0;
    TPInstance<TPManageFormWL> m_instance{PManageFormWL, this};
    TPEventHooks m_hooks;
};
