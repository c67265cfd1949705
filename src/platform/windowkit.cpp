#include "platform/windowkit.h"

#include "platform/formbase.h"
#include "platform/linklabel.h"

#include <QAction>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHeaderView>
#include <QApplication>
#include <QHash>
#include <QIcon>
#include <QIconEngine>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionHeader>
#include <QStyleOptionViewItem>
#include <QToolButton>
#include <QTreeWidget>

#include <algorithm>

namespace {
const char *const CheckBoxesProperty = "lexorinCheckBoxes";

// Widens each column whose width cannot hold its title in the header's font, or a text it holds
// in the list's own font and item style: when the list is shown, and again whenever a font or
// style changes (a window sets its list's font after making it). Measuring waits for the
// showing: every font size measured costs its own font files, and most lists are made long
// before they are seen.
class ColumnsFit : public QObject {
public:
    ColumnsFit(QHeaderView *header, QTreeView *view, const QList<TPColumn> &columns)
        : QObject(header), m_header(header), m_view(view)
    {
        for (const TPColumn &c : columns)
            m_holds << c.holds;
        header->installEventFilter(this);
        // A list's font or style sheet set on it need not reach its header.
        view->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *e) override
    {
        switch (e->type()) {
        case QEvent::FontChange:
        case QEvent::StyleChange:
            m_due = true;
            if (!m_header->isVisible())
                break;
            [[fallthrough]];
        case QEvent::Show:
            if (m_due) {
                m_due = false;
                fit();
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    void fit()
    {
        const QAbstractItemModel *model = m_header->model();
        for (int i = 0; model && i < m_header->count(); ++i) {
            if (m_header->isSectionHidden(i))
                continue;
            QStyleOptionHeader opt;
            opt.initFrom(m_header);
            opt.fontMetrics = m_header->fontMetrics();
            opt.text = model->headerData(i, Qt::Horizontal).toString();
            int wanted = m_header->style()->sizeFromContents(QStyle::CT_HeaderSection, &opt, QSize(), m_header).width();
            for (const QString &text : m_holds.value(i))
                wanted = std::max(wanted, cellWidth(text));
            if (m_header->sectionSize(i) < wanted)
                m_header->resizeSection(i, wanted);
        }
    }
    // The width a cell needs to show text whole, as the list's items are drawn.
    int cellWidth(const QString &text) const
    {
        QStyleOptionViewItem opt;
        opt.initFrom(m_view);
        opt.widget = m_view;
        opt.font = m_view->font();
        opt.fontMetrics = m_view->fontMetrics();
        opt.features = QStyleOptionViewItem::HasDisplay;
        opt.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        opt.text = text;
        return m_view->style()->sizeFromContents(QStyle::CT_ItemViewItem, &opt, QSize(), m_view).width();
    }
    QHeaderView *m_header;
    QTreeView *m_view;
    QList<QStringList> m_holds;
    bool m_due = true;
};

// Whenever a list lays itself out its header measures every title for its own height, and the
// lists of windows not yet seen lay out many times while the program starts: the header stays
// hidden until its list is first shown.
class HeaderWhenShown : public QObject {
public:
    explicit HeaderWhenShown(QTreeView *view) : QObject(view), m_view(view)
    {
        view->header()->hide();
        view->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *e) override
    {
        if (e->type() == QEvent::Show) {
            m_view->removeEventFilter(this);
            m_view->header()->show();
            QMetaObject::invokeMethod(m_view, "updateGeometries");
        }
        return false;
    }

private:
    QTreeView *m_view;
};

// A style's icon read from its image files when first drawn: the style reads every size of an
// icon as it makes one, and most picture buttons belong to windows not yet seen.
class StyleIconEngine : public QIconEngine {
public:
    StyleIconEngine(const QStyle *style, QStyle::StandardPixmap which) : m_style(const_cast<QStyle *>(style)), m_which(which)
    {
    }
    void paint(QPainter *p, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        icon().paint(p, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().pixmap(size, mode, state);
    }
    QPixmap scaledPixmap(const QSize &size, QIcon::Mode mode, QIcon::State state, qreal scale) override
    {
        return icon().pixmap(size, scale, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override { return icon().availableSizes(mode, state); }
    // Asked as the button is made: every style has an image for each of its standard icons.
    bool isNull() override { return false; }
    QString key() const override { return QStringLiteral("lexorin-style-icon"); }
    QIconEngine *clone() const override { return new StyleIconEngine(*this); }

private:
    const QIcon &icon()
    {
        if (!m_made) {
            m_icon = (m_style ? m_style.data() : QApplication::style())->standardIcon(m_which);
            m_made = true;
        }
        return m_icon;
    }
    QPointer<QStyle> m_style;
    QStyle::StandardPixmap m_which;
    QIcon m_icon;
    bool m_made = false;
};

// Sizes a part to its text the first time any of it lies within its window's area.
class FitWhenSeen : public QObject {
public:
    explicit FitWhenSeen(QWidget *part) : QObject(part), m_part(part), m_window(part->window())
    {
        m_window->installEventFilter(this);
    }
    bool eventFilter(QObject *, QEvent *e) override
    {
        if ((e->type() == QEvent::Show || e->type() == QEvent::Resize) && seen()) {
            m_window->removeEventFilter(this);
            m_part->adjustSize();
            deleteLater();
        }
        return false;
    }

private:
    bool seen() const
    {
        return m_part->isVisibleTo(m_window) &&
               QRect(m_part->mapTo(m_window, QPoint(0, 0)), m_part->size()).intersects(m_window->rect());
    }
    QWidget *m_part;
    QPointer<QWidget> m_window;
};

// Qt's least column width comes from the header's font: in a window not yet shown the header
// holds none, and at the first showing the columns come up to it as they would have when made or
// narrowed: without a least width of the window's own, every column; with one, which stays, the
// columns still at their given widths (the others were held to the window's own).
void leastWidthWhenSeen(QTreeView *view, const QList<TPColumn> &columns)
{
    auto *form = qobject_cast<TPForm *>(view->window());
    if (!form || form->shownOnce())
        return;
    QHeaderView *header = view->header();
    header->setMinimumSectionSize(0);
    PWhenFirstShown(header, [header, columns] {
        const int own = header->minimumSectionSize();
        header->setMinimumSectionSize(-1);
        const int least = header->minimumSectionSize();
        for (int i = 0; i < header->count() && i < columns.size(); ++i) {
            const int given = qMax(columns[i].width, own);
            const int size = header->sectionSize(i);
            if (!header->isSectionHidden(i) && size < least && (own == 0 || size == given))
                header->resizeSection(i, least);
        }
        if (own != 0)
            header->setMinimumSectionSize(own);
    });
}

void setUpReportView(QTreeView *view, const QString &name, const QList<TPColumn> &columns)
{
    view->setObjectName(name);
    view->setRootIsDecorated(false);
    view->setUniformRowHeights(true);
    view->setAllColumnsShowFocus(true);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->header()->setStretchLastSection(false);
    view->header()->setSectionsClickable(true);
    for (int i = 0; i < columns.size(); ++i) {
        view->setColumnWidth(i, columns[i].width);
        view->setColumnHidden(i, columns[i].hidden);
    }
    new ColumnsFit(view->header(), view, columns);
}
}  // namespace

QTreeWidget *PMakeReportView(QWidget *parent, const QString &name, const QList<TPColumn> &columns, bool checkBoxes)
{
    auto *view = new QTreeWidget(parent);
    new HeaderWhenShown(view);
    leastWidthWhenSeen(view, columns);
    view->setProperty(CheckBoxesProperty, checkBoxes);
    QStringList captions;
    for (const TPColumn &c : columns)
        captions << c.caption;
    view->setColumnCount(int(columns.size()));
    view->setHeaderLabels(captions);
    setUpReportView(view, name, columns);
    return view;
}

QTreeView *PMakeReportView(QWidget *parent, const QString &name, QAbstractItemModel *model,
                           const QList<TPColumn> &columns)
{
    auto *view = new QTreeView(parent);
    new HeaderWhenShown(view);
    leastWidthWhenSeen(view, columns);
    view->setModel(model);
    setUpReportView(view, name, columns);
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

QToolButton *PMakeSpeedButton(QWidget *parent, const QString &name, const QString &hint)
{
    auto *b = new QToolButton(parent);
    b->setObjectName(name);
    b->setToolTip(hint);
    b->setAutoRaise(true);
    return b;
}

QToolButton *PMakePictureButton(QWidget *parent, const QString &name, QStyle::StandardPixmap icon, const QString &hint)
{
    QToolButton *b = PMakeSpeedButton(parent, name, hint);
    // The style reads an icon's image files each time it is asked; the windows ask for the same
    // few icons dozens of times while the program starts.
    static QHash<QPair<const QStyle *, int>, QIcon> made;
    const QStyle *style = parent->style();
    auto it = made.find({style, int(icon)});
    if (it == made.end())
        it = made.insert({style, int(icon)}, QIcon(new StyleIconEngine(style, icon)));
    b->setIcon(*it);
    return b;
}

QLabel *PMakeLabel(QWidget *parent, const QString &name, const QString &caption)
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(name);
    return l;
}

QGroupBox *PMakeGroup(QWidget *parent, const QString &name, const QString &caption)
{
    auto *g = new QGroupBox(caption, parent);
    g->setObjectName(name);
    return g;
}

QLineEdit *PMakeLineEdit(QWidget *parent, const QString &name, bool readOnly)
{
    auto *e = new QLineEdit;
    e->setObjectName(name);
    e->setReadOnly(readOnly);
    e->setParent(parent);
    return e;
}

QComboBox *PMakeCombo(QWidget *parent, const QString &name, const QStringList &items)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(name);
    c->addItems(items);
    return c;
}

QAction *PMakeAction(QMenu *menu, const QString &name, const QString &caption, bool enabled)
{
    QAction *a = menu->addAction(caption);
    a->setObjectName(name);
    a->setEnabled(enabled);
    return a;
}

TLinkLabel *PMakeLinkLabel(QWidget *parent, const QString &name, const QString &caption)
{
    auto *l = new TLinkLabel(caption, parent);
    l->setObjectName(name);
    QFont f = l->font();
    f.setUnderline(true);
    l->setFont(f);
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Qt::blue);
    l->setPalette(p);
    return l;
}

void PFitToTextWhenSeen(QWidget *part)
{
    if (part->window() == part) {
        part->adjustSize();
        return;
    }
    // A size of its own, or Qt would fit the part itself as its window is first shown.
    part->resize(part->size());
    new FitWhenSeen(part);
}

void PWhenFirstShown(QWidget *part, std::function<void()> step)
{
    if (auto *form = qobject_cast<TPForm *>(part->window()))
        form->whenFirstShown([part = QPointer<QWidget>(part), step = std::move(step)] {
            if (part)
                step();
        });
    else
        step();
}

void PSetTextWhenSeen(QLineEdit *box, const QString &text)
{
    auto *form = qobject_cast<TPForm *>(box->window());
    if (!form || form->shownOnce()) {
        box->setText(text);
        return;
    }
    PWhenFirstShown(box, [box, text] {
        if (box->text().isEmpty())
            box->setText(text);
    });
}

void PCenterOnScreen(QWidget *window)
{
    QScreen *screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (screen)
        window->move(screen->availableGeometry().center() - window->rect().center());
}
