#include "support/banksnapshot.h"

#include "core/listviews.h"

#include <QTreeWidget>
#include <gtest/gtest.h>
#include <sqlite3.h>

namespace {

QString cell(sqlite3_stmt *s, int i)
{
    switch (sqlite3_column_type(s, i)) {
    case SQLITE_NULL:
        return QStringLiteral("null");
    case SQLITE_INTEGER:
        return QStringLiteral("i:") + QString::number(sqlite3_column_int64(s, i));
    case SQLITE_FLOAT:
        return QStringLiteral("f:") + QString::number(sqlite3_column_double(s, i));
    default:
        return QStringLiteral("t:") + QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, i)));
    }
}

QList<QStringList> rows(sqlite3 *db, const QString &sql)
{
    QList<QStringList> out;
    sqlite3_stmt *s = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &s, nullptr), SQLITE_OK) << sql.toStdString();
    while (s && sqlite3_step(s) == SQLITE_ROW) {
        QStringList r;
        for (int i = 0; i < sqlite3_column_count(s); ++i)
            r << cell(s, i);
        out << r;
    }
    sqlite3_finalize(s);
    return out;
}

}  // namespace

QStringList bankSnapshot(sqlite3 *db)
{
    QStringList out;
    for (const QStringList &t :
         rows(db, QStringLiteral("select type, name, sql from sqlite_master where name not like 'sqlite_%' order by name"))) {
        out << t.join(QLatin1Char('|'));
        if (t[0] != QLatin1String("t:table"))
            continue;
        const QString name = t[1].mid(2);
        // Stored order matters: a shuffle is nothing but a new order.
        const QString quoted = QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\""));
        for (const QStringList &r : rows(db, QStringLiteral("select * from \"%1\"").arg(quoted)))
            out << name + QLatin1Char(':') + r.join(QLatin1Char('|'));
    }
    return out;
}

QStringList viewSnapshot(QTreeWidget *view)
{
    QStringList out;
    for (int i = 0; i < view->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *item = view->topLevelItem(i);
        QStringList cols;
        // The program's items keep their texts beside the columns: count them as the views do.
        for (int c = 0; c <= PSubItemCount(item); ++c)
            cols << item->text(c);
        out << cols.join(QLatin1Char('|')) + QStringLiteral(" tick=%1 sel=%2").arg(item->checkState(0)).arg(item->isSelected());
    }
    return out;
}

QString bankIntegrity(sqlite3 *db)
{
    QStringList lines;
    for (const QStringList &row : rows(db, QStringLiteral("PRAGMA integrity_check")))
        lines << row.value(0).mid(2);  // past the type tag
    return lines.join(QLatin1Char('\n'));
}
