#include "shell/aboutbox.h"
#include "shell/optionform.h"

#include "platform/inifile.h"
#include "platform/linklabel.h"
#include "support/recordingbrowser.h"
#include "services/addresses.h"
#include "services/pronunciation.h"
#include "services/publicform.h"
#include "shell/shelltestutil.h"
#include "support/bankfixture.h"
#include "support/qstringprinter.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTimer>
#include <functional>
#include <string>

using ShellTest::settle;

namespace {

class OptionDialog : public BankFixture {
protected:
    void SetUp() override
    {
        BankFixture::SetUp();
        publicForm = std::make_unique<TPPublicForm>();
        form = std::make_unique<TPOptionForm>();
    }
    void TearDown() override
    {
        form.reset();
        PStopBackMusic();
        publicForm.reset();
        BankFixture::TearDown();
    }

    QString iniPath() const { return programDir + QStringLiteral("config.ini"); }
    QByteArray iniBytes() const
    {
        QFile f(iniPath());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<no file>");
    }
    QString ini(const QString &section, const QString &key) const
    {
        return TIniFile(iniPath()).ReadString(section, key, QStringLiteral("<none>"));
    }
    void showAndSettle()
    {
        form->Show();
        settle();
    }

    RecordingBrowser browser;
    std::unique_ptr<TPPublicForm> publicForm;
    std::unique_ptr<TPOptionForm> form;
};

}  // namespace

TEST_F(OptionDialog, HasItsPageAndControls)
{
    EXPECT_EQ(POptionForm, form.get());
    EXPECT_EQ(form->windowTitle(), QStringLiteral("选项"));
    EXPECT_EQ(form->size(), QSize(430, 233));
    auto *pages = form->findChild<QTabWidget *>(QStringLiteral("PageControl1"));
    ASSERT_NE(pages, nullptr);
    ASSERT_EQ(pages->count(), 1);
    EXPECT_EQ(pages->tabText(0), QStringLiteral("发音和音乐"));
    EXPECT_EQ(pages->widget(0)->objectName(), QStringLiteral("TabSheet1"));
    EXPECT_EQ(form->findChild<QCheckBox *>(QStringLiteral("CBSpeechRole"))->text(), QStringLiteral("优先采用真人录制语音"));
    EXPECT_EQ(form->findChild<QCheckBox *>(QStringLiteral("CBBackMusic"))->text(), QStringLiteral("背景音乐"));
    EXPECT_EQ(form->findChild<TLinkLabel *>(QStringLiteral("LBArticle1"))->text(), QStringLiteral("如何配置真人语音库？"));
    EXPECT_EQ(form->findChild<TLinkLabel *>(QStringLiteral("Label1"))->text(), QStringLiteral("如何设置个性化背景音乐？"));
}

// Without a stored choice recordings are preferred and the music plays: the boxes say so.
TEST_F(OptionDialog, AnEmptySettingsFileShowsBothOnAsInForceAndStaysUnwritten)
{
    form->CBSpeechRole->setChecked(false);
    form->CBBackMusic->setChecked(false);
    showAndSettle();
    EXPECT_TRUE(form->CBSpeechRole->isChecked());
    EXPECT_TRUE(form->CBBackMusic->isChecked());
    EXPECT_FALSE(QFile::exists(iniPath())) << "opening the dialog writes nothing";
    EXPECT_FALSE(PMusicTimerOn());
    form->hide();
}

TEST_F(OptionDialog, StoredSettingsAreShownWithoutBeingWrittenBack)
{
    for (const char *stored : {"1", "0"}) {
        {
            TIniFile ini(iniPath());
            ini.WriteString(QStringLiteral("Lexorin"), QStringLiteral("SpeechRole"), QLatin1String(stored));
            ini.WriteString(QStringLiteral("backmusic"), QStringLiteral("canplay"), QLatin1String(stored));
        }
        PConfigIni->Reload();
        const QByteArray before = iniBytes();
        const bool on = stored == std::string("1");
        form = std::make_unique<TPOptionForm>();
        form->CBSpeechRole->setChecked(!on);
        form->CBBackMusic->setChecked(!on);
        showAndSettle();
        EXPECT_EQ(form->CBSpeechRole->isChecked(), on) << stored;
        EXPECT_EQ(form->CBBackMusic->isChecked(), on) << stored;
        EXPECT_EQ(iniBytes(), before);
        EXPECT_FALSE(PMusicTimerOn()) << "loading the box is no click: the music does not start";
        form->hide();
    }
}

TEST_F(OptionDialog, ClicksWriteTheSettingsAndSwitchTheMusic)
{
    showAndSettle();
    QTest::mouseClick(form->CBSpeechRole, Qt::LeftButton, {}, QPoint(8, form->CBSpeechRole->height() / 2));
    EXPECT_FALSE(form->CBSpeechRole->isChecked());
    EXPECT_EQ(ini(QStringLiteral("Lexorin"), QStringLiteral("SpeechRole")), QStringLiteral("0"));
    EXPECT_EQ(ini(QStringLiteral("backmusic"), QStringLiteral("canplay")), QStringLiteral("<none>"));

    form->CBBackMusic->click();
    EXPECT_EQ(ini(QStringLiteral("backmusic"), QStringLiteral("canplay")), QStringLiteral("0"));
    EXPECT_FALSE(PMusicTimerOn());
    form->CBBackMusic->click();
    EXPECT_EQ(ini(QStringLiteral("backmusic"), QStringLiteral("canplay")), QStringLiteral("1"));
    EXPECT_TRUE(PMusicTimerOn());

    form->CBSpeechRole->click();
    EXPECT_EQ(ini(QStringLiteral("Lexorin"), QStringLiteral("SpeechRole")), QStringLiteral("1"));
    form->hide();
}

TEST_F(OptionDialog, HelpLinksOpenTheirArticles)
{
    QTest::mouseClick(form->LBArticle1, Qt::LeftButton);
    QTest::mouseClick(form->Label1, Qt::LeftButton);
    ASSERT_EQ(browser.opened().size(), 2);
    EXPECT_NE(browser.opened().at(0), browser.opened().at(1));
    for (const QString &url : browser.opened())
        EXPECT_TRUE(url.startsWith(Addr::HelpPage())) << url.toStdString();
}

TEST_F(OptionDialog, ARightClickOnALinkOpensNothing)
{
    QTest::mouseClick(form->Label1, Qt::RightButton);
    EXPECT_TRUE(browser.opened().isEmpty());
}

// ------------------------------------------------------------------ about box

class AboutBoxTest : public BankFixture {
protected:
    // Runs act once box is up modally and has been activated, instead of guessing how long that takes.
    static void whenUp(TAboutBox &box, const std::function<void()> &act)
    {
        auto *poll = new QTimer(&box);
        poll->setInterval(1);
        QObject::connect(poll, &QTimer::timeout, &box, [&box, poll, act] {
            if (!box.isModalShowing() || box.activationCount() == 0)
                return;
            poll->stop();
            act();
        });
        poll->start();
    }

    RecordingBrowser browser;
};

TEST_F(AboutBoxTest, ShowsTheVersionAtActivationAndClosesWithOk)
{
    TAboutBox box;
    EXPECT_EQ(AboutBox, &box);
    EXPECT_EQ(box.windowTitle(), QStringLiteral("关于Lexorin"));
    EXPECT_EQ(box.size(), QSize(352, 184));
    EXPECT_TRUE(box.LBVersion->text().isEmpty());
    EXPECT_TRUE(box.LBVersion->wordWrap());
    EXPECT_TRUE(box.LBVersion->font().bold());
    EXPECT_EQ(box.OKButton->text(), QStringLiteral("确定"));

    PVersion = QStringLiteral("V03_TEST");
    QString shown;
    whenUp(box, [&] {
        shown = box.LBVersion->text();
        box.OKButton->click();
    });
    EXPECT_EQ(box.ShowModal(), mrOk);
    EXPECT_EQ(shown, QStringLiteral("版本： V03_TEST"));
    EXPECT_FALSE(box.isVisible());
}

TEST_F(AboutBoxTest, TheAddressLinkOpensTheHomePage)
{
    TAboutBox box;
    EXPECT_EQ(box.Comments->text(), Addr::HomePage());
    EXPECT_TRUE(box.Comments->font().underline());
    QTest::mouseClick(box.Comments, Qt::LeftButton);
    EXPECT_EQ(browser.opened(), QStringList{Addr::HomePage()});
}

TEST_F(AboutBoxTest, EnterClosesTheBox)
{
    TAboutBox box;
    whenUp(box, [&] { QTest::keyClick(&box, Qt::Key_Return); });
    QTimer::singleShot(2000, &box, [&] { box.hide(); });  // a safety net should Enter do nothing
    EXPECT_EQ(box.ShowModal(), mrOk);
}
