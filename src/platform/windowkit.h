#pragma once
// Making a window's parts the same way everywhere: report list views from a column table, named
// buttons and labels (tests find them by name), centring, and the instance pointer a window holds.

#include <QList>
#include <QString>

class QLabel;
class QPushButton;
class QTreeWidget;
class QWidget;

struct TPColumn {
    QString caption;
    int width = 80;
    bool hidden = false;
};

// A report list view: one row per item, whole-row selection, several rows selectable, no root
// decoration; columns as given; check boxes on the items it is filled with when checkBoxes is set.
QTreeWidget *PMakeReportView(QWidget *parent, const QString &name, const QList<TPColumn> &columns,
                             bool checkBoxes = false);
// Whether items added to the list view should carry check boxes (set by PMakeReportView).
bool PHasCheckBoxes(const QTreeWidget *listView);

QPushButton *PMakeButton(QWidget *parent, const QString &name, const QString &caption);
QLabel *PMakeLabel(QWidget *parent, const QString &name, const QString &caption = QString());

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
