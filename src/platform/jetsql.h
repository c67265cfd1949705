#pragma once
// Translation of the Jet SQL the program sends into SQLite statements that keep its meaning:
// text columns compare without regard to case, text stays text, integer columns refuse
// non-numbers, counters number new rows, unordered selects return rows in insertion order,
// select-into copies a table's structure, double-quoted texts are literals, names are quoted.

#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

struct JetColumn {
    QString name;
    QString declType;  // as stored by SQLite: COUNTER_INTEGER, INTEGER, VARCHAR(n), TEXT
};

struct JetStatement {
    QString sql;               // SQLite text with positional '?' parameters
    QStringList paramNames;    // name of each '?', in order of appearance
};

struct JetTranslation {
    std::vector<JetStatement> statements;
    int dataStatement = 0;     // the statement whose rows or changes the caller sees
    bool returnsRows = false;
    bool changesSchema = false;
    QString countSql;          // counts the rows of a "select *" without reading them; may be empty
};

using JetColumnLookup = std::function<std::vector<JetColumn>(const QString &table)>;

// Throws EngineError for statements it cannot accept (a malformed create, an unknown source table).
JetTranslation translateJetSql(const QString &jetSql, const JetColumnLookup &columnsOf);

// The table in which each table's counter keeps the last number it gave.
extern const char *const JetCounterTable;

QString quoteIdent(const QString &name);
// The name a CREATE TABLE, INDEX or TRIGGER statement of ours gives what it makes; empty for any
// other statement.
QString createdName(const QString &sqliteSql);
QString textLiteral(const QString &text);
// The statements that make a table with its counter numbering and the indexes keyed look-ups want.
std::vector<JetStatement> tableStatements(const QString &table, const std::vector<JetColumn> &cols);
// The index, counter row and triggers that number a table's counter column.
std::vector<JetStatement> counterStatements(const QString &table, const QString &column);

// Plain identifiers only: letters, digits, '_' and CJK, at most 64 characters, not starting with a digit.
// Jet SQL takes such a name as it is; any other table name goes in brackets: [TOEFL core].
bool isPlainIdentifier(const QString &name);
// Why the bank cannot take a table name, in one short sentence; empty when it can. A name it
// takes is not empty, starts with no blank, holds at most 64 characters, no control character
// and none of . ! ` [ ], and does not begin with SQLite's own "sqlite_".
QString jetTableNameRefusal(const QString &name);
// A table name as Jet SQL writes it: a plain identifier as it is, any other name in brackets.
QString jetTableRef(const QString &name);
