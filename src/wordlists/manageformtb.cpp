#include "wordlists/manageformtb.h"

#include "vocab/bankvocab.h"
#include "core/choosers.h"
#include "core/datamodule.h"
#include "core/listviews.h"
#include "core/wordlistops.h"
#include "platform/windowlook.h"

#include <QMenu>
#include <QTreeWidget>
#include <QVBoxLayout>

TPManageFormTB *PManageFormTB = nullptr;

namespace {

struct ListStatistics {
    qint64 words = 0, experience = 0, mastered = 0;
    QString latest, earliest;
};

// One aggregate pass over the list and one count of its mastered words: counting through a
// select of every row, once per column, made the window crawl on a bank of many lists. A list
// whose words carry no experience at all has an empty sum: that is 0 points, not an error.
ListStatistics listStatistics(const QString &T)
{
    const QString table = PTableSql(T);
    ListStatistics s;
    JetQuery &q = Pdatamodule->PQuery;
    q.setSql(QStringLiteral("select count(*) as N, sum(") + Col::Experience + QStringLiteral(") as E, max(") +
             Col::LastTested + QStringLiteral(") as Latest, min(") + Col::LastTested +
             QStringLiteral(") as Earliest from ") + table);
    q.open();
    s.words = q.fieldByName(QStringLiteral("N")).toLongLong();
    s.experience = q.fieldByName(QStringLiteral("E")).toLongLong();
    s.latest = q.fieldByName(QStringLiteral("Latest"));
    s.earliest = q.fieldByName(QStringLiteral("Earliest"));
    q.close();
    if (s.words == 0)
        return s;
    q.setSql(QStringLiteral("select count(*) as N from ") + table + QStringLiteral(" where ") + Col::MasterType +
             QStringLiteral("=:") + Col::MasterType);
    q.setParam(Col::MasterType, Code::Master11);
    q.open();
    s.mastered = q.fieldByName(QStringLiteral("N")).toLongLong();
    q.close();
    return s;
}

}  // namespace

TPManageFormTB::TPManageFormTB(QWidget *parent)
    : TPForm(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                         Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("PManageFormTB"));
    setWindowTitle(QStringLiteral("词表管理 - 鼠标右键操作"));
    setFixedSize(686, 446);
    QPalette p = palette();
    p.setColor(QPalette::Window, NamedColor::SkyBlue);
    setPalette(p);
    setAutoFillBackground(true);
    QFont f(QStringLiteral("宋体"));
    f.setPixelSize(13);
    setFont(f);

    ListView1 = PMakeReportView(this, QStringLiteral("ListView1"),
                                {{QStringLiteral("单词表名称"), 250},
                                 {QStringLiteral("单词数量"), 65},
                                 {QStringLiteral("可用经验点"), 80},
                                 {QStringLiteral("掌握单词数"), 80},
                                 {QStringLiteral("最近接触日期"), 90},
                                 {QStringLiteral("最远接触日期"), 90}});
    ListView1->setSelectionMode(QAbstractItemView::SingleSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QPalette lp = ListView1->palette();
    lp.setColor(QPalette::Base, NamedColor::MoneyGreen);
    ListView1->setPalette(lp);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    const auto entry = [this](const char *name, const QString &caption) {
        QAction *a = PopupMenu1->addAction(caption);
        a->setObjectName(QLatin1String(name));
        return a;
    };
    N5 = entry("N5", QStringLiteral("打开"));
    N1 = entry("N1", QStringLiteral("新建..."));
    PopupMenu1->addSeparator();
    N2 = entry("N2", QStringLiteral("删除"));
    N3 = entry("N3", QStringLiteral("改名..."));
    N4 = entry("N4", QStringLiteral("清空"));
    ListView1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(ListView1, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { PopupMenu1->popup(ListView1->viewport()->mapToGlobal(pos)); });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ListView1);

    PCenterOnScreen(this);

    PConnect(N1, &QAction::triggered, this, &TPManageFormTB::N1Click);
    PConnect(N2, &QAction::triggered, this, &TPManageFormTB::N2Click);
    PConnect(N3, &QAction::triggered, this, &TPManageFormTB::N3Click);
    PConnect(N4, &QAction::triggered, this, &TPManageFormTB::N4Click);
}

void TPManageFormTB::addListRow(const QString &name, qint64 totals[3])
{
    ListStatistics s;
    try {
        s = listStatistics(name);
    } catch (const EngineError &e) {
        // A name the statements cannot take (a bank made elsewhere) or a list that cannot be read
        // costs its own row only; the row says why and can still be renamed or dropped.
        const QString chars = PWordTableNameCharsRefusal(name);
        const QString reason = chars.isEmpty() ? e.message() : chars;
        QTreeWidgetItem *row = PAddItem(ListView1, name, {reason, QString(), QString(), QString(), QString()});
        for (int c = 0; c < ListView1->columnCount(); ++c)
            row->setToolTip(c, reason);
        return;
    }
    const bool empty = s.words == 0;
    PAddItem(ListView1, name,
             {QString::number(s.words), QString::number(s.experience), QString::number(s.mastered),
              empty ? QStringLiteral("unknown") : s.latest, empty ? QStringLiteral("unknown") : s.earliest});
    totals[0] += s.words;
    totals[1] += s.experience;
    totals[2] += s.mastered;
}

void TPManageFormTB::FormActivate()
{
    PClearItems(ListView1);
    QStringList names = PWordTableNames();
    names.append(names.takeFirst());  // WordTable after the registered lists
    qint64 totals[3] = {0, 0, 0};
    for (const QString &name : names)
        addListRow(name, totals);
    PAddItem(ListView1, QString());
    PAddItem(ListView1, QStringLiteral("合计"),
             {QString::number(totals[0]), QString::number(totals[1]), QString::number(totals[2]), QString(),
              QString()});
}

void TPManageFormTB::N1Click()
{
    PNewWordTable();
    FormActivate();
}

void TPManageFormTB::N2Click() { PDropWordTables(ListView1); }

void TPManageFormTB::N3Click()
{
    PRenameWordTables(ListView1);
    FormActivate();
}

void TPManageFormTB::N4Click()
{
    PClearWordTables(ListView1);
    FormActivate();
}
