#include "platform/jetsql.h"

#include "platform/jetcase.h"
#include "platform/jetdb.h"

#include <gtest/gtest.h>

namespace {

std::vector<JetColumn> listColumns(const QString &table)
{
    if (table == QLatin1String("nowhere"))
        return {};
    return {{QStringLiteral("ID"), QStringLiteral("COUNTER_INTEGER")}, {QStringLiteral("单词"), QStringLiteral("VARCHAR(100)")}};
}

QString collate() { return QStringLiteral(" COLLATE ") + QLatin1String(JetCaseCollation); }

struct Shape {
    const char *jet;
    QStringList sql;       // every statement, in order; for a create or copy only the first and the data statement
    const char *count;     // the counting statement of a "select *", or ""
};

}  // namespace

// Bracketed names become quoted SQLite names in every statement shape the program sends;
// the words inside brackets are never grammar, quotes inside them never literals.
TEST(JetBrackets, EveryStatementShapeTakesABracketedName)
{
    const QString seed = QStringLiteral("(SELECT seed FROM lxb_counters WHERE tbl='it''s core')");
    const Shape shapes[] = {
        {"create table [TOEFL core] (ID counter,单词 string(100))",
         {"CREATE TABLE \"TOEFL core\" (\"ID\" COUNTER_INTEGER,\"单词\" VARCHAR(100)" + collate() + ")"},
         ""},
        {"select * into [say \"hi\"] from [it's] where 1=2",
         {"CREATE TABLE \"say \"\"hi\"\"\" (\"ID\" COUNTER_INTEGER,\"单词\" VARCHAR(100)" + collate() + ")",
          "INSERT INTO \"say \"\"hi\"\"\" SELECT * FROM \"it's\" where 1=2 ORDER BY rowid"},
         ""},
        {"drop table [核心 词汇]", {"drop table \"核心 词汇\"", "DELETE FROM lxb_counters WHERE tbl='核心 词汇'"}, ""},
        {"insert into [it's core](单词) values(:单词)",
         {"insert into \"it's core\"(\"ID\",\"单词\") values((" + seed + "+1),?)"},
         ""},
        {"insert into [B b] select * from [a a] where 单词=:单词",
         {"insert into \"B b\" select * from \"a a\" where \"单词\"=? ORDER BY rowid"},
         ""},
        {"select * from [where order by] where 单词=:单词 order by 单词",
         {"select * from \"where order by\" where \"单词\"=? order by \"单词\", rowid"},
         "SELECT count(*) FROM \"where order by\" where \"单词\"=? "},
        {"select count(*) from [TOEFL core] where 单词=:单词",
         {"select count(*) from \"TOEFL core\" where \"单词\"=?"},
         ""},
        {"update [x\"y] set 单词=:单词 where ID=:ID", {"update \"x\"\"y\" set \"单词\"=? where \"ID\"=?"}, ""},
        {"delete from [a;b --] where rowid in (select s.rowid from json_each(:keys) j join [a;b --] s on s.ID=j.value)",
         {"delete from \"a;b --\" where rowid in (select \"s\".rowid from \"json_each\"(?) \"j\" join \"a;b --\" \"s\" on "
          "\"s\".\"ID\"=\"j\".\"value\")"},
         ""},
        // A plain name is spliced as it is and quoted the same way.
        {"select * from Order", {"select * from \"Order\" ORDER BY rowid"}, "SELECT count(*) FROM \"Order\""},
    };
    for (const Shape &shape : shapes) {
        const QString jet = QString::fromUtf8(shape.jet);
        SCOPED_TRACE(jet.toStdString());
        const JetTranslation tr = translateJetSql(jet, listColumns);
        QStringList got;
        for (const JetStatement &st : tr.statements)
            got << st.sql;
        if (tr.changesSchema && jet.startsWith(QLatin1String("create")))
            got = got.mid(0, 1);
        else if (tr.changesSchema && jet.startsWith(QLatin1String("select")))
            got = QStringList{got.first(), got.at(tr.dataStatement)};
        EXPECT_EQ(got, shape.sql);
        EXPECT_EQ(tr.countSql, QString::fromUtf8(shape.count));
    }
    // A create numbers its counter under the name itself.
    const JetTranslation made = translateJetSql(QStringLiteral("create table [it's] (ID counter)"), listColumns);
    ASSERT_GE(made.statements.size(), 3u);
    EXPECT_EQ(made.statements.at(2).sql,
              QStringLiteral("INSERT OR REPLACE INTO lxb_counters(tbl,seed) SELECT 'it''s', IFNULL(MAX(\"ID\"),0) FROM \"it's\""));

    for (const char *bad : {"select * from [TOEFL core", "create table [a.b] (ID counter)",
                            "select * into [x] from [nowhere] where 1=2", "select * into [sqlite_x] from [y] where 1=2"})
        EXPECT_THROW(translateJetSql(QString::fromUtf8(bad), listColumns), EngineError) << bad;
}
