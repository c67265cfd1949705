#include "shell/optionform.h"

#include "vocab/bankvocab.h"
#include "core/datamodule.h"
#include "platform/inifile.h"
#include "platform/linklabel.h"
#include "services/addresses.h"
#include "services/pronunciation.h"
#include "services/webaccess.h"
#include "platform/windowkit.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QScreen>
#include <QSignalBlocker>
#include <QTabWidget>

TPOptionForm *POptionForm = nullptr;

namespace {

TLinkLabel *helpLink(QWidget *parent, const char *name, const QString &caption, int y)
{
    TLinkLabel *l = PMakeLinkLabel(parent, QLatin1String(name), caption);
    l->setGeometry(24, y, 260, 22);
    return l;
}

}  // namespace

TPOptionForm::TPOptionForm(QWidget *parent)
    : TPForm(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("POptionForm"));
    setWindowTitle(QStringLiteral("选项"));
    setFixedSize(430, 233);

    PageControl1 = new QTabWidget(this);
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(8, 8, 414, 217);
    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    PageControl1->addTab(TabSheet1, QStringLiteral("发音和音乐"));

    CBSpeechRole = new QCheckBox(QStringLiteral("优先采用真人录制语音"), TabSheet1);
    CBSpeechRole->setObjectName(QStringLiteral("CBSpeechRole"));
    CBSpeechRole->setGeometry(24, 20, 300, 24);
    LBArticle1 = helpLink(TabSheet1, "LBArticle1", QStringLiteral("如何配置真人语音库？"), 48);

    CBBackMusic = new QCheckBox(QStringLiteral("背景音乐"), TabSheet1);
    CBBackMusic->setObjectName(QStringLiteral("CBBackMusic"));
    CBBackMusic->setGeometry(24, 96, 300, 24);
    Label1 = helpLink(TabSheet1, "Label1", QStringLiteral("如何设置个性化背景音乐？"), 124);

    // Only a learner's click writes a setting; loading the boxes is no click.
    PConnect(CBSpeechRole, &QCheckBox::clicked, this, &TPOptionForm::CBSpeechRoleClick);
    PConnect(CBBackMusic, &QCheckBox::clicked, this, &TPOptionForm::CBBackMusicClick);
    PConnect(LBArticle1, &TLinkLabel::clicked, this, &TPOptionForm::LBArticle1Click);
    PConnect(Label1, &TLinkLabel::clicked, this, &TPOptionForm::Label1Click);

    PCenterOnScreen(this);

    POptionForm = this;
}

TPOptionForm::~TPOptionForm()
{
    if (POptionForm == this)
        POptionForm = nullptr;
}

void TPOptionForm::FormActivate()
{
    const QSignalBlocker speech(CBSpeechRole);
    const QSignalBlocker music(CBBackMusic);
    // The boxes show what the sound routines do, also before the learner chose anything.
    CBSpeechRole->setChecked(PSpeechRoleWanted());
    CBBackMusic->setChecked(PBackMusicWanted());
}

void TPOptionForm::CBSpeechRoleClick()
{
    PConfigIni->WriteBool(Ini::Main, Ini::SpeechRole, CBSpeechRole->isChecked());
}

void TPOptionForm::CBBackMusicClick() { PBackMusicCheckClick(CBBackMusic); }

void TPOptionForm::LBArticle1Click() { POpenUrl(Addr::HelpPage(QStringLiteral("speech"))); }

void TPOptionForm::Label1Click() { POpenUrl(Addr::HelpPage(QStringLiteral("music"))); }
