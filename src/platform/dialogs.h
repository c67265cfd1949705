#pragma once
// Every message box and common dialog the program shows goes through this seam, so tests can
// answer them and read back each text shown.

#include <QColor>
#include <QString>
#include <QStringList>

class QWidget;

class Dialogs {
public:
    enum Icon { Information, Warning, Critical, Question, NoIcon };
    enum Answer { Yes, No, Cancel, Ok };
    enum Buttons { OkOnly, YesNo, YesNoCancel, OkCancel, NoButtons };

    virtual ~Dialogs() = default;

    // A message with an OK button.
    virtual void message(const QString &text, const QString &title = QString(), Icon icon = Information) = 0;
    // A question; returns the button pressed (closing the box counts as No or Cancel). NoButtons: a
    // box the learner closes with its close box (Cancel).
    virtual Answer ask(const QString &text, const QString &title, Icon icon, Buttons buttons) = 0;
    // An input box; false when cancelled (value unchanged then).
    virtual bool input(const QString &title, const QString &prompt, QString &value) = 0;
    // File dialogs; an empty text when cancelled. Filter in Qt form: "Name (*.ext)".
    virtual QString openFile(const QString &title, const QString &filter, const QString &dir = QString()) = 0;
    virtual QString saveFile(const QString &title, const QString &filter, const QString &dir = QString()) = 0;
    // Colour dialog; false when cancelled.
    virtual bool chooseColor(QColor &color) = 0;

    bool yesNo(const QString &text, const QString &title = QString(), Icon icon = Question)
    {
        return ask(text, title, icon, YesNo) == Yes;
    }
};

// The dialogs in use: the real ones unless a test installed its own.
Dialogs &PDialogs();
// Installs d (not owned); nullptr goes back to the real dialogs.
void PSetDialogs(Dialogs *d);

// A filter as the program wrote it ("Text (*.txt)|*.txt|...") turned into Qt's form.
QString PFilterToQt(const QString &filter);

class QAbstractFileIconProvider;
// Icons and type names for file dialogs from names alone: reading a file to guess its type would
// open and close the word bank behind its connection, and closing any handle on a file drops
// every lock the program holds on it.
QAbstractFileIconProvider *PFileDialogIconProvider();

// The real dialogs over QMessageBox, QInputDialog, QFileDialog and QColorDialog.
class QtDialogs : public Dialogs {
public:
    void message(const QString &text, const QString &title, Icon icon) override;
    Answer ask(const QString &text, const QString &title, Icon icon, Buttons buttons) override;
    bool input(const QString &title, const QString &prompt, QString &value) override;
    QString openFile(const QString &title, const QString &filter, const QString &dir) override;
    QString saveFile(const QString &title, const QString &filter, const QString &dir) override;
    bool chooseColor(QColor &color) override;
};

// Marks a modal box running on top of the program's windows: the window that had the focus is
// not activated again when the box closes.
class ModalScope {
public:
    ModalScope();
    ~ModalScope();
    ModalScope(const ModalScope &) = delete;
    ModalScope &operator=(const ModalScope &) = delete;

private:
    QWidget *m_returnTo;
};

// The bank picker and colour picker as components that keep their title, filter and colour.
struct TOpenDialog {
    QString Title;
    QString Filter;      // "Name(*.ext)|*.ext|..."
    QString InitialDir;
    QString FileName;    // the file picked by the last Execute
    bool Execute();
};

struct TColorDialog {
    QColor Color;
    bool Execute();
};
