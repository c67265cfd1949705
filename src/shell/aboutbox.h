#pragma once
// The about box: the version line and the program's home page.

#include "platform/formbase.h"

class QLabel;
class QPushButton;
class TLinkLabel;

class TAboutBox : public TPForm {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget *parent = nullptr);
    ~TAboutBox() override;

    QLabel *LBVersion;
    TLinkLabel *Comments;
    QPushButton *OKButton;

    void CommentsClick();
    void OKButtonClick();

protected:
    void FormActivate() override;
};

extern TAboutBox *AboutBox;
