#include "platform/windowkit.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTreeWidget>

namespace {
const char *const CheckBoxesProperty = "lexorinCheckBoxes";
}

QTreeWidget *PMakeReportView(QWidget *parent, const QString &name, const QList<TPColumn> &columns, bool checkBoxes)
{
    auto *view = new QTreeWidget(parent);
    view->setObjectName(name);
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setAllColumnsShowFocus(true);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->setProperty(CheckBoxesProperty, checkBoxes);
    QStringList captions;
    for (const TPColumn &c : columns)
        captions << c.caption;
    view->setColumnCount(int(columns.size()));
    view->setHeaderLabels(captions);
    view->header()->setStretchLastSection(false);
    view->header()->setSectionsClickable(true);
    for (int i = 0; i < columns.size(); ++i) {
        view->setColumnWidth(i, columns[i].width);
        view->setColumnHidden(i, columns[i].hidden);
    }
    return view;
}

bool PHasCheckBoxes(const QTreeWidget *listView) { return listView->property(CheckBoxesProperty).toBool(); }

QPushButton *PMakeButton(QWidget *parent, const QString &name, const QString &caption)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QLabel *PMakeLabel(QWidget *parent, const QString &name, const QString &caption)
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(name);
    return l;
}

void PCenterOnScreen(QWidget *window)
{
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen)
        window->move(screen->availableGeometry().center() - window->rect().center());
}
