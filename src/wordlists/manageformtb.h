#pragma once
// The word-list manager: every word list with its statistics and a total, and a right-click menu
// that creates, drops, renames and empties lists. Opened with ShowModal().

#include "platform/formbase.h"
#include "platform/windowkit.h"

class QAction;
class QMenu;
class QTreeWidget;

class TPManageFormTB;
extern TPManageFormTB *PManageFormTB;

class TPManageFormTB : public TPForm {
    Q_OBJECT
public:
    explicit TPManageFormTB(QWidget *parent = nullptr);

    QTreeWidget *ListView1;
    QMenu *PopupMenu1;
    QAction *N5;  // 打开
    QAction *N1;  // 新建...
    QAction *N2;  // 删除
    QAction *N3;  // 改名...
    QAction *N4;  // 清空

    void N1Click();
    void N2Click();
    void N3Click();
    void N4Click();

protected:
    void FormActivate() override;

private:
    void addListRow(const QString &name, qint64 totals[3]);

    TPInstance<TPManageFormTB> m_instance{PManageFormTB, this};
};

