#pragma once
// The spelling filter: finds the words of every list that contain, begin or end with a group of
// letters, opens a hit in the small dictionary and moves hits to another list. Opened with
// ShowModal().

#include "platform/formbase.h"
#include "platform/windowkit.h"

#include <functional>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QMenu;
class QToolButton;
class QTreeWidget;
class TLinkLabel;

class TPSameSubStrWordForm;
extern TPSameSubStrWordForm *PSameSubStrWordForm;

// Opens the small dictionary on a word with its move and delete groups hidden.

class TPSameSubStrWordForm : public TPForm {
    Q_OBJECT
public:
    explicit TPSameSubStrWordForm(QWidget *parent = nullptr);

    QLineEdit *MeWord;
    QComboBox *CBFindMode;
    QToolButton *BTFind;
    QLabel *LBhint;
    QTreeWidget *PLV;
    TLinkLabel *Label3;
    QMenu *PopMenuPLV;
    QAction *PopPLV1;  // 查该词详细信息...
    QAction *PopPLV2;  // 选中单词转移至...

    // The hit PopPLV1 opens.
    int PFilterSelIndex = 0;

    // Whether a right click on the hits opens their menu; closing the window switches it on.
    void PSetPopupAuto(bool on);
    bool PPopupAuto() const { return m_popupAuto; }

    void BTFindClick();
    void PLVSelectItem();
    void PopPLV1Click();
    void PopPLV2Click();
    void Label3Click();

protected:
    void FormActivate() override;
    void FormClose(TCloseAction &Action) override;

private:
    bool m_popupAuto = true;
    TPInstance<TPSameSubStrWordForm> m_instance{PSameSubStrWordForm, this};
};
