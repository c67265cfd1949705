#pragma once
// The options dialog: the two sound settings.

#include "platform/formbase.h"

class QCheckBox;
class QTabWidget;
class TLinkLabel;

class TPOptionForm : public TPForm {
    Q_OBJECT
public:
    explicit TPOptionForm(QWidget *parent = nullptr);
    ~TPOptionForm() override;

    QTabWidget *PageControl1;
    QWidget *TabSheet1;
    QCheckBox *CBSpeechRole;
    QCheckBox *CBBackMusic;
    TLinkLabel *LBArticle1;
    TLinkLabel *Label1;

    void CBSpeechRoleClick();
    void CBBackMusicClick();
    void LBArticle1Click();
    void Label1Click();

protected:
    void FormActivate() override;
};

extern TPOptionForm *POptionForm;
