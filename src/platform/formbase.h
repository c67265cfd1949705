#pragma once
// The form base every window of the program derives from: activation as the program expects it,
// modal showing with a result, key preview, Enter and Esc buttons, close actions, dragging a
// borderless window, and the application's error report.

#include <QApplication>
#include <QHash>
#include <QList>
#include <QPointer>
#include <QWidget>
#include <exception>
#include <functional>

class QAbstractButton;
class QEventLoop;

// Modal results.
enum TModalResult { mrNone = 0, mrOk = 1, mrCancel = 2, mrAbort = 3, mrRetry = 4, mrIgnore = 5, mrYes = 6, mrNo = 7 };
enum TCloseAction { caNone, caHide, caFree, caMinimize };

class TPForm : public QWidget {
    Q_OBJECT
public:
    explicit TPForm(QWidget *parent = nullptr, Qt::WindowFlags flags = Qt::Window);
    ~TPForm() override;

    // Hand-over: shows the window and gives it the focus.
    void Show();
    void Hide() { hide(); }
    // Shows the window modally and returns its modal result once a handler sets one or it closes.
    int ShowModal();
    int ModalResult() const { return m_modalResult; }
    // Ends a modal showing (like setting the form's ModalResult).
    void setModalResult(int result);
    bool isModalShowing() const { return m_modalLoop != nullptr; }

    // Window-level key handlers see keys before the focused control.
    void setKeyPreview(bool on) { m_keyPreview = on; }
    bool keyPreview() const { return m_keyPreview; }
    // Enter clicks the default button, Esc the cancel button (unless a key handler took the key).
    void setDefaultButton(QAbstractButton *b) { m_defaultButton = b; }
    void setCancelButton(QAbstractButton *b) { m_cancelButton = b; }
    void setCloseAction(TCloseAction a) { m_closeAction = a; }
    // A key whose handler runs when it is released anywhere in the window (function keys, Esc where
    // the window says so), before the window's own key handlers; a repeat does not run it again.
    void PBindKeyUp(int key, std::function<void()> handler) { m_keyUpHandlers[key] = std::move(handler); }

    // Starts dragging the window with the mouse (for borderless windows).
    void PStartDrag();
    // A window moved within buffer pixels of a screen edge snaps to it; 0 switches it off.
    void setScreenSnap(int buffer) { m_snapBuffer = buffer; }

    // Runs step as the window is first shown, once its parts caught up with their fonts and before
    // its layout measures anything; at once when it was shown before.
    void whenFirstShown(std::function<void()> step);
    bool shownOnce() const { return m_shownOnce; }

    // How many times the activation handler ran (tests read it).
    int activationCount() const { return m_activations; }

    // Until a window is first shown, the font, style and polish notices of its parts wait: each
    // would lay out or measure text (loading fonts) in a window that may never be seen. They
    // arrive, in order, as the window is first shown, before its layout measures anything.
    // True when the notice e to receiver is kept back (the application object asks).
    static bool deferredUntilShown(QObject *receiver, QEvent *e);

    // Called by the modal boxes of the dialog seam.
    static void noteModalOpening(QWidget *returnTo);
    static void noteModalClosed(QWidget *returnTo);

protected:
    // The next activation is the window's own doing (its native window made anew), not a hand-over.
    void skipNextActivation() { m_skipActivate = true; }

    // Handlers in the program's sense; the defaults do nothing.
    virtual void FormActivate() {}
    virtual void FormShow() {}
    virtual void FormHide() {}
    virtual void FormClose(TCloseAction &) {}
    virtual void FormCloseQuery(bool &) {}
    // Return true when the key was handled (it then goes no further).
    virtual bool FormKeyDown(QKeyEvent *) { return false; }
    virtual bool FormKeyUp(QKeyEvent *) { return false; }

    bool event(QEvent *e) override;
    void setVisible(bool visible) override;
    bool eventFilter(QObject *watched, QEvent *e) override;
    void closeEvent(QCloseEvent *e) override;
    void keyPressEvent(QKeyEvent *e) override;
    void keyReleaseEvent(QKeyEvent *e) override;
    void showEvent(QShowEvent *e) override;
    void hideEvent(QHideEvent *e) override;
    void moveEvent(QMoveEvent *e) override;
    void childEvent(QChildEvent *e) override;

private:
    bool handleKey(QKeyEvent *e, bool press);
    void deliverDue(bool movedAwayOnly = false);
    void installFilterOn(QObject *o);

    bool m_keyPreview = false;
    bool m_skipActivate = false;
    int m_activations = 0;
    int m_modalResult = mrNone;
    QEventLoop *m_modalLoop = nullptr;
    QAbstractButton *m_defaultButton = nullptr;
    QAbstractButton *m_cancelButton = nullptr;
    TCloseAction m_closeAction = caHide;
    QHash<int, std::function<void()>> m_keyUpHandlers;
    int m_snapBuffer = 0;
    bool m_snapping = false;
    struct Due {
        QPointer<QWidget> widget;
        QEvent::Type type;
    };
    bool m_shownOnce = false;
    QList<std::function<void()>> m_firstShownSteps;
    QList<Due> m_dueOrder;
    QHash<QPair<const QWidget *, int>, QPointer<QWidget>> m_due;
};

// The application's error report: a critical box with the engine's text; the program goes on.
void PReportError(const QString &text);
// Runs a handler; an exception that escapes it becomes the error report.
void PGuard(const std::function<void()> &handler);

// Connects a signal to a handler of a form, guarded.
template <class Sender, class Signal, class Form, class... Args>
QMetaObject::Connection PConnect(Sender *sender, Signal signal, Form *form, void (Form::*handler)(Args...))
{
    return QObject::connect(sender, signal, form, [form, handler](Args... args) {
        PGuard([&] { (form->*handler)(args...); });
    });
}

// The application object: catches what a handler let out and reports it.
class TApplication : public QApplication {
public:
    TApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *e) override;
};
