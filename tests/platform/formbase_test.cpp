#include "platform/dialogs.h"
#include "platform/formbase.h"
#include "platform/jetdb.h"
#include "support/scripteddialogs.h"
#include "support/settle.h"

#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <functional>
#include <gtest/gtest.h>

namespace {

class SmallForm : public TPForm {
public:
    explicit SmallForm(const QString &name)
    {
        setObjectName(name);
        resize(200, 100);
    }
};

void settle() { PSettleEvents(); }

// Runs act once, as soon as ready() holds, from inside whatever event loop is running then.
void once(const std::function<bool()> &ready, const std::function<void()> &act)
{
    auto *poll = new QTimer;
    poll->setInterval(1);
    QObject::connect(poll, &QTimer::timeout, [poll, ready, act] {
        if (!ready())
            return;
        poll->stop();
        poll->deleteLater();
        act();
    });
    poll->start();
}

// Closes whatever modal window is up once it shows and has the focus.
void closeModalSoon()
{
    once([] {
        QWidget *m = QApplication::activeModalWidget();
        return m && QApplication::activeWindow() == m;
    }, [] { QApplication::activeModalWidget()->close(); });
}

}  // namespace

TEST(FormBase, ActivationRunsOnHandOverAndWhenMovingBetweenWindows)
{
    SmallForm a(QStringLiteral("A")), b(QStringLiteral("B"));
    a.Show();
    settle();
    EXPECT_EQ(a.activationCount(), 1);

    a.Hide();
    b.Show();
    settle();
    EXPECT_EQ(b.activationCount(), 1);

    b.Hide();
    a.Show();
    settle();
    EXPECT_EQ(a.activationCount(), 2);

    b.Show();
    settle();
    a.activateWindow();
    settle();
    EXPECT_EQ(b.activationCount(), 2);
    EXPECT_EQ(a.activationCount(), 3);
    a.hide();
    b.hide();
}

TEST(FormBase, ClosingAModalBoxOrWindowDoesNotActivateTheCallerAgain)
{
    SmallForm a(QStringLiteral("A"));
    a.Show();
    settle();
    ASSERT_EQ(a.activationCount(), 1);

    QtDialogs real;
    closeModalSoon();
    real.message(QStringLiteral("消息"), QString(), Dialogs::Information);
    settle();
    EXPECT_EQ(a.activationCount(), 1);

    SmallForm modal(QStringLiteral("M"));
    closeModalSoon();
    EXPECT_EQ(modal.ShowModal(), mrCancel);
    settle();
    EXPECT_EQ(modal.activationCount(), 1);  // the modal window itself was activated
    EXPECT_EQ(a.activationCount(), 1);
    EXPECT_EQ(QApplication::activeWindow(), &a);

    // Nothing is left pending: the next hand-over back to the caller activates it.
    SmallForm b(QStringLiteral("B"));
    a.Hide();
    b.Show();
    settle();
    b.Hide();
    a.Show();
    settle();
    EXPECT_EQ(a.activationCount(), 2);
    a.hide();
}

TEST(FormBase, ShowModalReturnsTheResultAHandlerSets)
{
    SmallForm modal(QStringLiteral("M"));
    auto *ok = new QPushButton(QStringLiteral("确定"), &modal);
    QObject::connect(ok, &QPushButton::clicked, &modal, [&] { modal.setModalResult(mrOk); });
    once([&] { return modal.isModalShowing(); }, [ok] { ok->click(); });
    EXPECT_EQ(modal.ShowModal(), mrOk);
    EXPECT_FALSE(modal.isVisible());
}

class KeyForm : public TPForm {
public:
    KeyForm()
    {
        edit = new QLineEdit(this);
        okButton = new QPushButton(QStringLiteral("确定"), this);
        cancelButton = new QPushButton(QStringLiteral("取消"), this);
        okButton->move(0, 30);
        cancelButton->move(0, 60);
        setDefaultButton(okButton);
        setCancelButton(cancelButton);
        QObject::connect(okButton, &QPushButton::clicked, [this] { ++oks; });
        QObject::connect(cancelButton, &QPushButton::clicked, [this] { ++cancels; });
    }
    QLineEdit *edit;
    QPushButton *okButton, *cancelButton;
    int oks = 0, cancels = 0, previewed = 0;
    bool swallowF2 = true;

protected:
    bool FormKeyDown(QKeyEvent *e) override
    {
        if (e->key() == Qt::Key_F2) {
            ++previewed;
            return swallowF2;
        }
        return false;
    }
};

TEST(FormBase, KeyPreviewAndDefaultAndCancelButtons)
{
    KeyForm f;
    f.Show();
    f.edit->setFocus();
    settle();

    QTest::keyClick(f.edit, Qt::Key_F2);
    EXPECT_EQ(f.previewed, 0);  // key preview is off
    f.setKeyPreview(true);
    QTest::keyClick(f.edit, Qt::Key_F2);
    EXPECT_EQ(f.previewed, 1);

    QTest::keyClick(f.edit, Qt::Key_Return);
    EXPECT_EQ(f.oks, 1);
    QTest::keyClick(f.edit, Qt::Key_Escape);
    EXPECT_EQ(f.cancels, 1);
    f.okButton->setEnabled(false);
    QTest::keyClick(f.edit, Qt::Key_Return);
    EXPECT_EQ(f.oks, 1);
    f.hide();
}

TEST(FormBase, AnEngineErrorFromAHandlerBecomesTheErrorReport)
{
    ScriptedDialogs dialogs;
    SmallForm f(QStringLiteral("F"));
    auto *b = new QPushButton(&f);
    struct Handler : QObject {
        void boom() { throw EngineError(QStringLiteral("找不到输入表或查询“Nowhere”。")); }
    } h;
    QObject::connect(b, &QPushButton::clicked, &h, [&] { PGuard([&] { h.boom(); }); });
    b->click();
    ASSERT_EQ(dialogs.shown().size(), 1);
    EXPECT_EQ(dialogs.shown().first().icon, Dialogs::Critical);
    EXPECT_EQ(dialogs.lastText(), QStringLiteral("找不到输入表或查询“Nowhere”。"));
}

TEST(FormBase, CloseActionsHideOrRefuse)
{
    class Refusing : public SmallForm {
    public:
        Refusing() : SmallForm(QStringLiteral("R")) {}
        bool allow = false;

    protected:
        void FormCloseQuery(bool &canClose) override { canClose = allow; }
    } f;
    f.Show();
    settle();
    f.close();
    EXPECT_TRUE(f.isVisible());
    f.allow = true;
    f.close();
    EXPECT_FALSE(f.isVisible());
}

TEST(FormBase, ComingBackFromAnotherProgramIsNoActivation)
{
    SmallForm a(QStringLiteral("A")), b(QStringLiteral("B"));
    a.Show();
    settle();
    ASSERT_EQ(a.activationCount(), 1);
    // The learner goes to another program and comes back to the same window.
    emit qApp->applicationStateChanged(Qt::ApplicationInactive);
    emit qApp->applicationStateChanged(Qt::ApplicationActive);
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(&a, &activate);
    EXPECT_EQ(a.activationCount(), 1);
    // A hand-over afterwards still counts.
    a.Hide();
    b.Show();
    settle();
    EXPECT_EQ(b.activationCount(), 1);
    b.hide();
}

TEST(FormBase, AWindowMovedNearAScreenEdgeSnapsToIt)
{
    SmallForm f(QStringLiteral("S"));
    f.setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    f.Show();
    settle();
    const QRect area = f.screen()->availableGeometry();
    f.move(area.left() + 12, area.top() + 100);
    settle();
    EXPECT_EQ(f.pos(), QPoint(area.left() + 12, area.top() + 100));  // snapping is off by default
    f.setScreenSnap(15);
    f.move(area.left() + 11, area.top() + 100);
    settle();
    EXPECT_EQ(f.x(), area.left());
    EXPECT_EQ(f.y(), area.top() + 100);
    f.move(area.right() - f.width() - 10, area.bottom() - f.height() - 5);
    settle();
    EXPECT_EQ(f.frameGeometry().right(), area.right());
    EXPECT_EQ(f.frameGeometry().bottom(), area.bottom());
    f.move(area.left() + 100, area.top() + 100);  // far from every edge: stays
    settle();
    EXPECT_EQ(f.pos(), QPoint(area.left() + 100, area.top() + 100));
    f.hide();
}

namespace {
// A part that counts the font, style and polish notices it receives.
class NoticeCounter : public QWidget {
public:
    using QWidget::QWidget;
    QList<QEvent::Type> notices;

protected:
    bool event(QEvent *e) override
    {
        if (e->type() == QEvent::FontChange || e->type() == QEvent::StyleChange || e->type() == QEvent::PolishRequest)
            notices << e->type();
        return QWidget::event(e);
    }
};
}  // namespace

// A window made but never shown measures no text: its parts' font, style and polish notices wait
// and reach them, in order, as the window is first shown and before its layout sizes anything, so
// the first showing looks exactly as if they had come at once. After that nothing waits.
TEST(FormBase, PartsOfAWindowNotYetShownTakeFontAndStyleNoticesAtTheFirstShowing)
{
    SmallForm f(QStringLiteral("Hidden"));
    auto *layout = new QVBoxLayout(&f);
    auto *counter = new NoticeCounter(&f);
    auto *plain = new QPushButton(QStringLiteral("单词"), &f);
    auto *big = new QPushButton(QStringLiteral("单词"), &f);
    auto *edit = new QLineEdit(QStringLiteral("苹果"), &f);
    for (QWidget *w : {static_cast<QWidget *>(counter), static_cast<QWidget *>(plain), static_cast<QWidget *>(big),
                       static_cast<QWidget *>(edit)})
        layout->addWidget(w);
    (void)big->sizeHint();  // a size measured early must not survive the font change
    QFont large = big->font();
    large.setPixelSize(40);
    big->setFont(large);
    edit->setFont(large);
    counter->setFont(large);
    counter->setStyleSheet(QStringLiteral("color: blue;"));
    settle();
    EXPECT_TRUE(counter->notices.isEmpty());

    f.show();
    EXPECT_EQ(counter->notices, (QList<QEvent::Type>{QEvent::FontChange, QEvent::StyleChange, QEvent::PolishRequest}));
    // Laid out with the large font at the first showing, with no event processed since.
    EXPECT_GT(big->height(), plain->height() + 15);
    EXPECT_EQ(big->height(), big->sizeHint().height());
    QLineEdit twin(QStringLiteral("苹果"));
    twin.setFont(large);
    const auto caretHeight = [](const QLineEdit *e) { return e->inputMethodQuery(Qt::ImCursorRectangle).toRect().height(); };
    EXPECT_EQ(caretHeight(edit), caretHeight(&twin));

    const qsizetype before = counter->notices.size();
    large.setPixelSize(20);
    counter->setFont(large);
    f.hide();
    counter->setFont(big->font());
    EXPECT_EQ(counter->notices.size(), before + 2);
}

// A part taken into another window before its own was ever shown gets what it was due at once.
TEST(FormBase, APartThatLeavesAWindowNotYetShownGetsItsNoticesAtOnce)
{
    SmallForm hidden(QStringLiteral("Hidden"));
    SmallForm shown(QStringLiteral("Shown"));
    shown.show();
    auto *counter = new NoticeCounter(&hidden);
    QFont large = counter->font();
    large.setPixelSize(40);
    counter->setFont(large);
    EXPECT_FALSE(counter->notices.contains(QEvent::FontChange));
    counter->setParent(&shown);
    EXPECT_TRUE(counter->notices.contains(QEvent::FontChange));
    shown.hide();
}
