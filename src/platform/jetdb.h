#pragma once
// The word bank's database engine: an SQLite file driven with the statements and verbs the
// program's data module speaks (connection text, one query object with named text parameters,
// forward rows, execute). Its Jet statements are translated on the way in (see jetsql.h).

#include <QHash>
#include <QByteArrayView>
#include <QVarLengthArray>
#include <QString>
#include <QStringList>
#include <QVector>
#include <array>
#include <memory>
#include <stdexcept>

struct sqlite3;
struct sqlite3_stmt;
struct JetTranslation;

// A statement prepared once and kept by its connection; a query borrows it while open.
struct JetPrepared {
    ~JetPrepared();
    sqlite3_stmt *stmt = nullptr;
    QStringList paramNames;
    QStringList columns;
    QHash<QString, int> columnIndex;  // by name as written and in lower case
    bool inUse = false;
};

// An error of the database engine. Its text is shown to the learner as it stands.
class EngineError : public std::runtime_error {
public:
    explicit EngineError(const QString &message);
    QString message() const { return m_message; }

private:
    QString m_message;
};

// The fixed password of every word bank, and the marks that tell a word bank from other files.
extern const char *const LxbPassword;

class JetConnection {
public:
    JetConnection() = default;
    ~JetConnection();
    JetConnection(const JetConnection &) = delete;
    JetConnection &operator=(const JetConnection &) = delete;

    // "Provider=...;Data Source=<path>;...;Jet OLEDB:Database Password=<pw>"
    void setConnectionString(const QString &text);
    QString connectionString() const { return m_connectionString; }
    QString dataSource() const { return m_dataSource; }

    // Opens an existing bank only; a file that is no word bank, or has another password, is an
    // EngineError and leaves the connection closed. A bank that cannot be written (read-only
    // media) opens read-only; every change then fails with a clear engine error.
    void open();
    bool isReadOnly() const { return m_readOnly; }
    void close();
    bool isOpen() const { return m_db != nullptr; }
    // Statements run on a closed connection open it again with the same connection text.
    sqlite3 *handle();

    void execute(const QString &jetSql, const QHash<QString, QString> &params = {});
    // Runs a statement with its values (a name used more than once takes its values in turn);
    // the number of rows it changed.
    int run(const QString &jetSql, const QHash<QString, QString> &params,
            const QHash<QString, QStringList> &repeated);
    // The first field of a statement's first row as a number (0 with no row); values go in the
    // order the statement names its parameters. For counts asked many times in a row: no query
    // object, no binding or reading by name.
    int number(const QString &jetSql, const QStringList &values = {});

    // Nested transactions (savepoints); every statement between begin and commit lands or none.
    void beginTransaction();
    void commit();
    void rollback();
    int transactionDepth() const { return m_depth; }

    QStringList tableNames();
    // Every name the bank holds: tables, indexes and triggers alike.
    QStringList schemaNames();
    // The Jet statement in SQLite's words, translated once per text while the schema stays.
    std::shared_ptr<const JetTranslation> translation(const QString &jetSql);
    // A prepared statement of SQLite text, from the cache when free; give it back by reset.
    std::shared_ptr<JetPrepared> borrow(const QString &sqliteSql, const QStringList &paramNames);
    // A Jet statement's translation and, when it is one statement that leaves the schema as it is,
    // its prepared statement borrowed (free it by giving it back). Texts asked for again and again
    // are found without hashing them.
    struct Ready {
        std::shared_ptr<const JetTranslation> translation;
        std::shared_ptr<JetPrepared> prepared;
    };
    Ready acquire(const QString &jetSql);
    // Marks a freshly made SQLite file as a word bank with the given password.
    static void initialiseBankFile(const QString &path, const QString &password);

private:
    friend class JetQuery;
    int runTranslated(const std::shared_ptr<const JetTranslation> &tr, const QHash<QString, QString> &params,
                      const QHash<QString, QStringList> &repeated);
    // Runs a statement without values, prepared once.
    void stepFixed(const QString &sql);
    void dropStatements();

    QString m_connectionString;
    QString m_dataSource;
    QString m_password;
    sqlite3 *m_db = nullptr;
    int m_depth = 0;
    bool m_readOnly = false;
    QHash<QString, std::shared_ptr<JetPrepared>> m_statements;  // prepared once, kept while open
    QHash<QString, std::shared_ptr<const JetTranslation>> m_translations;
    // The texts of the latest single statements with what they were made into.
    struct Recent {
        QString jetSql;
        std::shared_ptr<const JetTranslation> translation;
        std::shared_ptr<JetPrepared> prepared;
    };
    std::array<Recent, 16> m_recent;
    int m_recentNext = 0;
};

// Statement texts made once per call site: the names spliced into a site's text are its key, and a
// site asked again with the same names hands back the same text without building (or checking the
// names) again. A few shapes per site are kept.
template <int N>
class JetSiteText {
public:
    using Names = std::array<const QString *, N>;
    template <class Build>
    const QString &text(const Names &names, Build &&build)
    {
        for (Entry &e : m_entries)
            if (e.matches(names))
                return e.text;
        Entry &e = m_entries[m_next];
        e.text = build();  // may throw: nothing is kept then
        for (int i = 0; i < N; ++i)
            e.names[i] = *names[i];
        m_next = (m_next + 1) % int(m_entries.size());
        return e.text;
    }

private:
    struct Entry {
        std::array<QString, N> names;
        QString text;
        bool matches(const Names &n) const
        {
            if (text.isEmpty())
                return false;
            for (int i = 0; i < N; ++i)
                if (names[i] != *n[i])
                    return false;
            return true;
        }
    };
    std::array<Entry, 4> m_entries;
    int m_next = 0;
};

// RAII transaction: rolls back unless committed.
class JetTransaction {
public:
    explicit JetTransaction(JetConnection &c) : m_c(c) { m_c.beginTransaction(); }
    ~JetTransaction();
    void commit();

private:
    JetConnection &m_c;
    bool m_done = false;
};

// One Jet statement run for many rows, as a command over a long list does: translated and prepared
// once. Values go in the order the statement names its parameters.
class JetCommand {
public:
    JetCommand(JetConnection &connection, const QString &jetSql);
    ~JetCommand();
    JetCommand(const JetCommand &) = delete;
    JetCommand &operator=(const JetCommand &) = delete;
    // The number of rows the statement changed.
    int exec(const QStringList &values);

private:
    JetConnection &m_conn;
    std::shared_ptr<JetPrepared> m_prepared;
};

// The query object: statement text, parameters, open/first/next/eof, fields by name.
class JetQuery {
public:
    explicit JetQuery(JetConnection *connection = nullptr) : m_conn(connection) {}
    ~JetQuery();
    JetQuery(const JetQuery &) = delete;
    JetQuery &operator=(const JetQuery &) = delete;

    void setConnection(JetConnection *c);
    JetConnection *connection() const { return m_conn; }

    void clearSql();
    void setSql(const QString &text);
    QString sql() const { return m_sql; }
    // Named parameter, written ":" + name in the statement; always bound as text.
    void setParam(const QString &name, const QString &value);

    void open();
    void close();
    bool isActive() const { return m_active; }
    void first();
    void next();
    bool eof() const { return m_eof; }
    // Value of a field of the current row as text; NULL reads as "".
    QString fieldByName(const QString &name) const;
    bool hasField(const QString &name) const;
    // Position of a field in the open statement's rows, -1 when it has none; for reading many rows.
    int fieldIndex(const QString &name) const;
    // Value of the field at a position of the current row as text; NULL reads as "".
    QString fieldAt(int index) const;
    // The same as the statement's own UTF-8, valid until the next step; null for NULL.
    QByteArrayView fieldUtf8At(int index) const;
    QStringList fieldNames() const;
    int recordCount();
    // Runs a statement that returns no rows; the number of rows it changed.
    int execSql();

    // A parameter as given: name and value, in the order given.
    struct Param {
        QString name;
        QString value;
    };
    using Params = QVarLengthArray<Param, 14>;
    // The UTF-8 of bound values, alive while their statement runs.
    using BoundUtf8 = QVarLengthArray<char, 512>;

private:
    void prepare();
    void step();

    JetConnection *m_conn = nullptr;
    QString m_sql;
    Params m_params;
    BoundUtf8 m_bound;
    std::shared_ptr<JetPrepared> m_prepared;
    std::shared_ptr<const JetTranslation> m_translation;  // of the open statement, for recordCount
    sqlite3_stmt *m_stmt = nullptr;
    bool m_active = false;
    bool m_eof = true;
    int m_recordCount = -1;
};

// Writes a copy of the bank behind connectionText to destPath (which must not exist): the bank as
// its last commit left it, also the changes another program has not yet written into the file.
void JetBackupDatabase(const QString &connectionText, const QString &destPath);

// Compacts the bank behind connectionText in its own file. Refused while another program has the
// bank open; a compaction that fails leaves the bank as it was.
void JetCompactDatabase(const QString &connectionText);
