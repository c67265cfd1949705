#pragma once
// The word-book import window: reads a dictionary program's word-book export as it opens, lets
// the learner drop words and choose the target list, and stores the rest with "导入".
// Opened with ShowModal() after "DBTool"/"新词入库" names the export's layout.

#include "platform/formbase.h"

class QComboBox;
class QLabel;
class QMenu;
class QPushButton;
class QTreeWidget;
class QAction;

class TPInputFormAiCiba : public TPForm {
    Q_OBJECT
public:
    explicit TPInputFormAiCiba(QWidget *parent = nullptr);

    QTreeWidget *PListView;
    QLabel *LBWordCount;
    QPushButton *BTinput;
    QLabel *Label7;
    QComboBox *CBTableList;
    QLabel *LBaimWordCount;
    QPushButton *BTnew;
    QMenu *PopupMenu1;
    QAction *N1;

protected:
    void FormActivate() override;

private:
    void FillTableList();
    void ShowTargetCount();
    void BTinputClick();
    void BTnewClick();
    void CBTableListChange();
    void PListViewDblClick();
    void N1Click();
};

extern TPInputFormAiCiba *PInputFormAiCiba;
