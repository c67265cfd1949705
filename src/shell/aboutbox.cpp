#include "shell/aboutbox.h"

#include "core/datamodule.h"
#include "platform/linklabel.h"
#include "services/addresses.h"
#include "services/utils.h"
#include "services/webaccess.h"
#include "platform/windowkit.h"

#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

TAboutBox *AboutBox = nullptr;

TAboutBox::TAboutBox(QWidget *parent)
    : TPForm(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("AboutBox"));
    setWindowTitle(QStringLiteral("关于Lexorin"));
    setFixedSize(352, 184);

    auto *name = new QLabel(QStringLiteral("Lexorin"), this);
    name->setObjectName(QStringLiteral("ProductName"));
    QFont big = name->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.6);
    name->setFont(big);
    name->setGeometry(24, 16, 304, 32);

    LBVersion = new QLabel(this);
    LBVersion->setObjectName(QStringLiteral("LBVersion"));
    QFont bold = LBVersion->font();
    bold.setBold(true);
    LBVersion->setFont(bold);
    LBVersion->setWordWrap(true);
    LBVersion->setGeometry(24, 56, 304, 40);

    Comments = new TLinkLabel(Addr::HomePage(), this);
    Comments->setObjectName(QStringLiteral("Comments"));
    QFont link = Comments->font();
    link.setUnderline(true);
    Comments->setFont(link);
    QPalette p = Comments->palette();
    p.setColor(QPalette::WindowText, Qt::blue);
    Comments->setPalette(p);
    Comments->setGeometry(24, 100, 304, 22);

    OKButton = new QPushButton(QStringLiteral("确定"), this);
    OKButton->setObjectName(QStringLiteral("OKButton"));
    OKButton->setGeometry(138, 140, 76, 28);
    OKButton->setDefault(true);
    setDefaultButton(OKButton);

    PConnect(Comments, &TLinkLabel::clicked, this, &TAboutBox::CommentsClick);
    PConnect(OKButton, &QPushButton::clicked, this, &TAboutBox::OKButtonClick);

    PCenterOnScreen(this);

    PLoadFormBackground(this);
    AboutBox = this;
}

TAboutBox::~TAboutBox()
{
    if (AboutBox == this)
        AboutBox = nullptr;
}

void TAboutBox::FormActivate() { LBVersion->setText(QStringLiteral("版本： ") + PVersion); }

void TAboutBox::CommentsClick() { POpenUrl(Addr::HomePage()); }

void TAboutBox::OKButtonClick()
{
    setModalResult(mrOk);
    hide();
}
