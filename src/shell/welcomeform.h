#pragma once
// The welcome window: the learner's home, from which every other window is reached.

#include "platform/formbase.h"

class QAction;
class QMenu;
class QPushButton;
class QToolButton;
class TLinkLabel;

class TPWelcomeForm : public TPForm {
    Q_OBJECT
public:
    explicit TPWelcomeForm(QWidget *parent = nullptr);
    ~TPWelcomeForm() override;

    QPushButton *Button1;  // 词库选择
    QPushButton *Button2;  // 单词学习
    QPushButton *Button3;  // 词库维护
    QPushButton *Button6;  // 实用工具
    QToolButton *SpeedButton1;  // 主页
    QToolButton *SpeedButton3;  // 关于
    QToolButton *SpeedButton4;  // 设置
    QToolButton *SpeedButton5;  // 下载
    TLinkLabel *LBArticle1;
    TLinkLabel *LBArticle2;
    TLinkLabel *LBArticle3;
    TLinkLabel *LBhelp;

    QMenu *PopupMenu1;
    QAction *N1, *N2;
    QMenu *PopupMenu2;
    QAction *MenuItem1, *N3, *N17, *MenuItem2, *N19;
    QMenu *PopupMenu3;
    QMenu *MenuItem3;
    QAction *N7, *N16, *N4, *N20061, *N5, *N41;
    QMenu *MenuItem4;
    QAction *N8, *N9, *N10, *N20, *N18;
    QAction *MenuItem5, *N6;

    // The click handlers, one per control and menu entry.
    void Button1Click();
    void Button2Click();
    void Button3Click();
    void Button6Click();
    void SpeedButton1Click();
    void SpeedButton3Click();
    void SpeedButton4Click();
    void SpeedButton5Click();
    void LBArticle1Click();
    void LBArticle2Click();
    void LBArticle3Click();
    void LBhelpClick();
    void N1Click();
    void N2Click();
    void MenuItem1Click();
    void N3Click();
    // Also the handler of N4: both open the bulk import.
    void MenuItem2Click();
    void N7Click();
    void N20061Click();
    void N5Click();
    void N8Click();
    void N9Click();
    void N10Click();
    void N20Click();
    void MenuItem5Click();
    void N17Click();
    void N6Click();

protected:
    void FormCreate();
    void FormActivate() override;
    void FormClose(TCloseAction &Action) override;
    void mousePressEvent(QMouseEvent *e) override;

private:
    void popUp(QMenu *menu);
    // Opens recommended article N at the address its page gives now.
    void openArticle(const QString &N);
};

extern TPWelcomeForm *PWelcomeForm;
