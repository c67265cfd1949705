#include "platform/formbase.h"

#include "platform/dialogs.h"
#include "platform/jetdb.h"

#include <QAbstractButton>
#include <QChildEvent>
#include <QCloseEvent>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QScreen>
#include <QTranslator>
#include <QWindow>
#include <utility>

namespace {
// The program's window that had the focus last, and whether the learner has since been in
// another program: coming back to the same window is no hand-over.
QPointer<TPForm> g_lastActive;
bool g_leftProgram = false;
// Which window holds the notices a part is still due (see TPForm::deferredUntilShown).
QHash<const QObject *, QPointer<TPForm>> g_dueAt;

void watchApplicationState()
{
    static bool watching = false;
    if (watching || !qApp)
        return;
    watching = true;
    QObject::connect(qApp, &QGuiApplication::applicationStateChanged, qApp, [](Qt::ApplicationState state) {
        if (state != Qt::ApplicationActive)
            g_leftProgram = true;
    });
}
}  // namespace

TPForm::TPForm(QWidget *parent, Qt::WindowFlags flags) : QWidget(parent, flags)
{
    watchApplicationState();
}

TPForm::~TPForm()
{
    if (m_modalLoop)
        m_modalLoop->exit(mrCancel);
}

void TPForm::Show()
{
    show();
    raise();
    activateWindow();
}

int TPForm::ShowModal()
{
    if (m_modalLoop)
        return m_modalResult;
    ModalScope scope;
    m_modalResult = mrNone;
    const Qt::WindowModality old = windowModality();
    setWindowModality(Qt::ApplicationModal);
    QEventLoop loop;
    m_modalLoop = &loop;
    QPointer<TPForm> self(this);
    Show();
    if (m_modalResult == mrNone && isVisible())
        loop.exec(QEventLoop::DialogExec);
    if (!self)
        return mrCancel;
    m_modalLoop = nullptr;
    hide();
    setWindowModality(old);
    if (m_modalResult == mrNone)
        m_modalResult = mrCancel;
    return m_modalResult;
}

void TPForm::setModalResult(int result)
{
    m_modalResult = result;
    if (m_modalLoop && result != mrNone)
        m_modalLoop->exit(result);
}

void TPForm::PStartDrag()
{
    if (QWindow *w = windowHandle())
        w->startSystemMove();
}

void TPForm::moveEvent(QMoveEvent *e)
{
    QWidget::moveEvent(e);
    QScreen *s = screen();
    if (m_snapBuffer <= 0 || m_snapping || !s || !isVisible())
        return;
    const QRect area = s->availableGeometry();
    QRect r = frameGeometry();
    if (qAbs(r.left() - area.left()) <= m_snapBuffer)
        r.moveLeft(area.left());
    else if (qAbs(r.right() - area.right()) <= m_snapBuffer)
        r.moveRight(area.right());
    if (qAbs(r.top() - area.top()) <= m_snapBuffer)
        r.moveTop(area.top());
    else if (qAbs(r.bottom() - area.bottom()) <= m_snapBuffer)
        r.moveBottom(area.bottom());
    if (r.topLeft() != frameGeometry().topLeft()) {
        m_snapping = true;
        move(r.topLeft());
        m_snapping = false;
    }
}

void TPForm::noteModalOpening(QWidget *returnTo)
{
    if (auto *f = qobject_cast<TPForm *>(returnTo))
        f->m_skipActivate = true;
}

void TPForm::noteModalClosed(QWidget *returnTo)
{
    auto *f = qobject_cast<TPForm *>(returnTo);
    if (!f)
        return;
    if (QApplication::activeWindow() == f || !f->isVisible()) {
        // The focus came back already, never left, or has nowhere to go: nothing is pending.
        f->m_skipActivate = false;
    } else {
        // Give the focus back as the desktop would; that activation is the one skipped.
        f->activateWindow();
    }
}


bool TPForm::event(QEvent *e)
{
    if (e->type() == QEvent::WindowActivate) {
        const bool backFromElsewhere = g_leftProgram && g_lastActive == this;
        g_leftProgram = false;
        g_lastActive = this;
        if (m_skipActivate || backFromElsewhere) {
            m_skipActivate = false;
        } else {
            ++m_activations;
            PGuard([this] { FormActivate(); });
        }
    }
    return QWidget::event(e);
}

void TPForm::childEvent(QChildEvent *e)
{
    if (e->added())
        installFilterOn(e->child());
    QWidget::childEvent(e);
}

void TPForm::installFilterOn(QObject *o)
{
    if (!o->isWidgetType())
        return;
    o->installEventFilter(this);
    for (QObject *c : o->children())
        installFilterOn(c);
}

bool TPForm::eventFilter(QObject *watched, QEvent *e)
{
    if (e->type() == QEvent::ChildAdded)
        installFilterOn(static_cast<QChildEvent *>(e)->child());
    if ((e->type() == QEvent::KeyPress || e->type() == QEvent::KeyRelease) && watched != this) {
        auto *w = qobject_cast<QWidget *>(watched);
        if (w && w->window() == this && handleKey(static_cast<QKeyEvent *>(e), e->type() == QEvent::KeyPress))
            return true;
    }
    return QWidget::eventFilter(watched, e);
}

bool TPForm::handleKey(QKeyEvent *e, bool press)
{
    bool handled = false;
    const auto bound = m_keyUpHandlers.constFind(e->key());
    if (bound != m_keyUpHandlers.constEnd()) {
        if (!press && !e->isAutoRepeat()) {
            const std::function<void()> handler = *bound;  // the handler may bind keys anew
            PGuard(handler);
        }
        return true;
    }
    if (m_keyPreview)
        PGuard([&] { handled = press ? FormKeyDown(e) : FormKeyUp(e); });
    if (handled || !press)
        return handled;
    const int key = e->key();
    if ((key == Qt::Key_Return || key == Qt::Key_Enter) && m_defaultButton && m_defaultButton->isEnabled() &&
        m_defaultButton->isVisible()) {
        m_defaultButton->click();
        return true;
    }
    if (key == Qt::Key_Escape && m_cancelButton && m_cancelButton->isEnabled()) {
        m_cancelButton->click();
        return true;
    }
    return false;
}

void TPForm::keyPressEvent(QKeyEvent *e)
{
    if (!handleKey(e, true))
        QWidget::keyPressEvent(e);
}

void TPForm::keyReleaseEvent(QKeyEvent *e)
{
    if (!handleKey(e, false))
        QWidget::keyReleaseEvent(e);
}

void TPForm::closeEvent(QCloseEvent *e)
{
    bool canClose = true;
    PGuard([&] { FormCloseQuery(canClose); });
    if (!canClose) {
        e->ignore();
        return;
    }
    TCloseAction action = m_closeAction;
    PGuard([&] { FormClose(action); });
    switch (action) {
    case caNone:
        e->ignore();
        return;
    case caMinimize:
        e->ignore();
        showMinimized();
        return;
    case caFree:
        setAttribute(Qt::WA_DeleteOnClose);
        break;
    case caHide:
        break;
    }
    if (m_modalLoop && m_modalResult == mrNone)
        setModalResult(mrCancel);
    e->accept();
}

bool TPForm::deferredUntilShown(QObject *receiver, QEvent *e)
{
    const QEvent::Type type = e->type();
    if (type == QEvent::ParentChange) {
        // A part that left for another window gets what it was due now.
        if (TPForm *form = g_dueAt.value(receiver))
            form->deliverDue(true);
        return false;
    }
    if ((type != QEvent::FontChange && type != QEvent::StyleChange && type != QEvent::PolishRequest) ||
        !receiver->isWidgetType())
        return false;
    auto *w = static_cast<QWidget *>(receiver);
    auto *form = w->isWindow() ? nullptr : qobject_cast<TPForm *>(w->window());
    if (!form || form->m_shownOnce)
        return false;
    // Once is enough; a part deleted meanwhile leaves a dead entry that a new part may take over.
    QPointer<QWidget> &due = form->m_due[{w, type}];
    if (!due) {
        due = w;
        form->m_dueOrder.append({w, type});
        g_dueAt.insert(w, form);
    }
    return true;
}

void TPForm::deliverDue(bool movedAwayOnly)
{
    QList<Due> now, kept;
    for (const Due &d : std::as_const(m_dueOrder))
        (movedAwayOnly && d.widget && d.widget->window() == this ? kept : now).append(d);
    m_dueOrder = kept;
    for (const Due &d : std::as_const(now)) {
        if (!d.widget)
            continue;
        m_due.remove({d.widget.data(), d.type});
        g_dueAt.remove(d.widget.data());
        QEvent e(d.type);
        QCoreApplication::sendEvent(d.widget, &e);
    }
}

void TPForm::setVisible(bool visible)
{
    if (visible && !m_shownOnce) {
        // Before the layout measures anything: every part catches up with its font and style.
        m_shownOnce = true;
        deliverDue();
        const QList<std::function<void()>> steps = std::exchange(m_firstShownSteps, {});
        for (const std::function<void()> &step : steps)
            PGuard(step);
    }
    QWidget::setVisible(visible);
}

void TPForm::whenFirstShown(std::function<void()> step)
{
    if (m_shownOnce)
        PGuard(step);
    else
        m_firstShownSteps.append(std::move(step));
}

void TPForm::showEvent(QShowEvent *e)
{
    QWidget::showEvent(e);
    if (!e->spontaneous())
        PGuard([this] { FormShow(); });
}

void TPForm::hideEvent(QHideEvent *e)
{
    QWidget::hideEvent(e);
    // Whatever was pending is void: showing the window again is a hand-over.
    m_skipActivate = false;
    if (!e->spontaneous()) {
        PGuard([this] { FormHide(); });
        if (m_modalLoop && m_modalResult == mrNone)
            setModalResult(mrCancel);
    }
}

void PReportError(const QString &text)
{
    PDialogs().message(text, QApplication::applicationDisplayName(), Dialogs::Critical);
}

void PGuard(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const EngineError &e) {
        PReportError(e.message());
    } catch (const std::exception &e) {
        PReportError(QString::fromUtf8(e.what()));
    }
}

TApplication::TApplication(int &argc, char **argv) : QApplication(argc, argv)
{
    // No display name: Qt would append it to every window title.
    setApplicationName(QStringLiteral("Lexorin"));
    // Qt's own dialogs and buttons speak Chinese like the rest of the program, whatever the
    // desktop's language: their texts, and the kinds of file the file dialog lists.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    auto *qtTexts = new QTranslator(this);
    if (qtTexts->load(QLocale(), QStringLiteral("qt"), QStringLiteral("_"),
                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(qtTexts);
}

bool TApplication::notify(QObject *receiver, QEvent *e)
{
    if (TPForm::deferredUntilShown(receiver, e))
        return true;
    try {
        return QApplication::notify(receiver, e);
    } catch (const EngineError &err) {
        PReportError(err.message());
    } catch (const std::exception &err) {
        PReportError(QString::fromUtf8(err.what()));
    }
    return false;
}
