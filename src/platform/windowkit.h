#pragma once
// Making a window's parts the same way everywhere: report list views from a column table, named
// buttons and labels (tests find them by name), centring, and the instance pointer a window holds.

#include <QList>
#include <functional>
#include <QStyle>
#include <QStringList>
#include <QString>

class QAbstractItemModel;
class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class TLinkLabel;
class QPushButton;
class QToolButton;
class QTreeView;
class QTreeWidget;
class QWidget;

struct TPColumn {
    QString caption;
    int width = 80;
    bool hidden = false;
    // Texts the column's cells show whole (the stored codes it holds at their widest).
    QStringList holds = {};
};

// A report list view: one row per item, whole-row selection, several rows selectable, no root
// decoration; columns as given, each at least as wide as its title and as each text it holds, in
// the fonts used; check boxes on the items it is filled with when checkBoxes is set.
QTreeWidget *PMakeReportView(QWidget *parent, const QString &name, const QList<TPColumn> &columns,
                             bool checkBoxes = false);
// The same report list over a model that gives the rows and the column titles (and any check
// boxes); the columns give the widths.
QTreeView *PMakeReportView(QWidget *parent, const QString &name, QAbstractItemModel *model,
                           const QList<TPColumn> &columns);
// Whether items added to the list view should carry check boxes (set by PMakeReportView).
bool PHasCheckBoxes(const QTreeWidget *listView);

QPushButton *PMakeButton(QWidget *parent, const QString &name, const QString &caption);
// A flat button that shows its frame only under the mouse, with a hint.
QToolButton *PMakeSpeedButton(QWidget *parent, const QString &name, const QString &hint);
// The same with one of the style's standard pictures.
QToolButton *PMakePictureButton(QWidget *parent, const QString &name, QStyle::StandardPixmap icon,
                                const QString &hint);
QLabel *PMakeLabel(QWidget *parent, const QString &name, const QString &caption = QString());
QGroupBox *PMakeGroup(QWidget *parent, const QString &name, const QString &caption);
// A one-line box, made outside the window and then placed in it: made inside, it would lay out
// its (empty) text and measure its cursor in the window's font at once, loading that font.
QLineEdit *PMakeLineEdit(QWidget *parent, const QString &name, bool readOnly = false);
QComboBox *PMakeCombo(QWidget *parent, const QString &name, const QStringList &items);
// A menu entry, found by its name.
QAction *PMakeAction(QMenu *menu, const QString &name, const QString &caption, bool enabled = true);
// A link caption drawn as links are: underlined, in blue.
TLinkLabel *PMakeLinkLabel(QWidget *parent, const QString &name, const QString &caption);

// Gives a widget made elsewhere its object name.
template <class W>
W *PNamed(W *widget, const QString &name)
{
    widget->setObjectName(name);
    return widget;
}

// Sizes a part to its text (adjustSize) the first time any of it lies within its window's area,
// as the window is shown or resized: a part out of sight is not measured, which would load its
// fonts, until the learner can see it. Place the part before calling this.
void PFitToTextWhenSeen(QWidget *part);

// Runs step as the part's window is first shown, before its layout measures anything (at once
// when the window was shown before or is no window of the program): for what measures text.
void PWhenFirstShown(QWidget *part, std::function<void()> step);

// Puts text into a box as its window is first shown (at once when it was): laying text out in a
// window out of sight loads fonts, for Chinese text fallback fonts, the first window never needs.
// A box given a text of its own meanwhile keeps it.
void PSetTextWhenSeen(QLineEdit *box, const QString &text);

// Centres the window on the screen it is on (or the primary screen).
void PCenterOnScreen(QWidget *window);

// Held by a window as a member: the program's instance pointer points to the window while it lives.
template <class T>
class TPInstance {
public:
    TPInstance(T *&instance, T *self) : m_instance(instance), m_self(self) { m_instance = self; }
    ~TPInstance()
    {
        if (m_instance == m_self)
            m_instance = nullptr;
    }
    TPInstance(const TPInstance &) = delete;
    TPInstance &operator=(const TPInstance &) = delete;

private:
    T *&m_instance;
    T *m_self;
};
