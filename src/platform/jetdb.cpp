#include "platform/jetdb.h"

#include "platform/jetcase.h"
#include "platform/jetsql.h"
#include "platform/jetupgrade.h"

#include <QFileInfo>
#include <QRegularExpression>
#include <QStringEncoder>
#include <QVarLengthArray>
#include <QUrl>
#include <cerrno>
#include <memory>
#include <sqlite3.h>

const char *const LxbPassword = "qorvadintels";

namespace {

// "LXB1": the application id that marks a word bank.
constexpr int kBankApplicationId = 0x4C584231;

int passwordMark(const QString &password)
{
    quint32 h = 2166136261u;  // FNV-1a, stable across builds and platforms
    for (char c : password.toUtf8()) {
        h ^= quint8(c);
        h *= 16777619u;
    }
    return int(h & 0x7fffffff);
}

QString engineText(sqlite3 *db, int rc)
{
    const int ext = db ? sqlite3_extended_errcode(db) : rc;
    const QString msg = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
    if (ext == SQLITE_CONSTRAINT_CHECK)
        return QStringLiteral("数据类型不匹配（") + msg + QStringLiteral("）");
    if ((ext & 0xff) == SQLITE_READONLY)
        return QStringLiteral("词库是只读的，不能保存更改（") + msg + QStringLiteral("）。");
    return msg;
}

int pragmaInt(sqlite3 *db, const char *sql)
{
    sqlite3_stmt *st = nullptr;
    int rc = sqlite3_prepare_v2(db, sql, -1, &st, nullptr);
    int value = 0;
    if (rc == SQLITE_OK) {
        rc = sqlite3_step(st);
        if (rc == SQLITE_ROW) {
            value = sqlite3_column_int(st, 0);
            rc = SQLITE_OK;
        }
    }
    sqlite3_finalize(st);
    if (rc != SQLITE_OK)
        throw rc;
    return value;
}

std::vector<JetColumn> columnsOf(sqlite3 *db, const QString &table) { return jetTableColumns(db, table); }

// Binds the k-th use of a name to the k-th value given for it (the last one when fewer were given).
void bindParams(sqlite3 *db, sqlite3_stmt *st, const JetStatement &js,
                const QHash<QString, QString> &params, const QHash<QString, QStringList> &repeated)
{
    for (int i = 0; i < js.paramNames.size(); ++i) {
        const QString &name = js.paramNames.at(i);
        QString value;
        const auto rep = repeated.constFind(name);
        if (rep != repeated.constEnd() && !rep->isEmpty()) {
            // The how-manieth use of the name this is.
            int k = 0;
            for (int j = 0; j < i; ++j)
                k += js.paramNames.at(j) == name ? 1 : 0;
            value = rep->at(qMin(k, int(rep->size()) - 1));
        } else if (params.contains(name)) {
            value = params.value(name);
        } else {
            throw EngineError(QStringLiteral("参数“") + name + QStringLiteral("”没有值。"));
        }
        const QByteArray utf8 = value.toUtf8();
        if (sqlite3_bind_text(st, i + 1, utf8.constData(), utf8.size(), SQLITE_TRANSIENT) != SQLITE_OK)
            throw EngineError(engineText(db, SQLITE_ERROR));
    }
}

// Binds each '?' of a statement to the value given for its name: the k-th use of a name takes the
// k-th value given for it (the last one when fewer were given). Values given in the statement's
// own order bind straight through. Their UTF-8 goes into utf8, which must outlive the statement's
// steps; the bindings are cleared before it changes.
void bindGiven(sqlite3_stmt *st, const QStringList &names, const JetQuery::Params &given,
               JetQuery::BoundUtf8 &utf8)
{
    const int n = int(names.size());
    QVarLengthArray<const QString *, 16> values(n);
    bool inOrder = given.size() == n;
    for (int i = 0; i < n && inOrder; ++i) {
        inOrder = given[i].name == names.at(i);
        values[i] = &given[i].value;
    }
    if (!inOrder) {
        for (int i = 0; i < n; ++i) {
            const QString &name = names.at(i);
            int k = 0;  // the how-manieth use of the name this is
            for (int j = 0; j < i; ++j)
                k += names.at(j) == name ? 1 : 0;
            const QString *value = nullptr;
            for (const JetQuery::Param &p : given) {
                if (p.name != name)
                    continue;
                value = &p.value;
                if (k-- == 0)
                    break;
            }
            if (!value)
                throw EngineError(QStringLiteral("参数“") + name + QStringLiteral("”没有值。"));
            values[i] = value;
        }
    }
    qsizetype room = 0;
    for (const QString *v : values)
        room += 3 * v->size();
    utf8.resize(qMax<qsizetype>(1, room));
    QStringEncoder encoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
    QVarLengthArray<int, 16> ends(n);
    char *const start = utf8.data();
    char *out = start;
    for (int i = 0; i < n; ++i) {
        out = encoder.appendToBuffer(out, *values[i]);
        ends[i] = int(out - start);
    }
    for (int i = 0; i < n; ++i) {
        const int from = i ? ends[i - 1] : 0;
        sqlite3_bind_text(st, i + 1, start + from, ends[i] - from, SQLITE_STATIC);
    }
}

// Binds values by position, as text: their UTF-8 in one buffer, bound in place. A word's save binds
// seven texts, and a copy of each (and a conversion buffer each) cost as much as the update itself.
// The buffer must outlive the statement's step; the bindings are cleared before it goes.
class BoundTexts {
public:
    BoundTexts(sqlite3_stmt *st, const QStringList &values, int wanted) : m_st(st)
    {
        if (values.size() != wanted)
            throw EngineError(QStringLiteral("参数个数不符。"));
        qsizetype room = 0;
        for (const QString &v : values)
            room += 3 * v.size();
        m_utf8.resize(qMax<qsizetype>(1, room));
        QStringEncoder encoder(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
        QVarLengthArray<std::pair<const char *, int>, 16> spans;
        char *out = m_utf8.data();
        for (const QString &v : values) {
            char *end = encoder.appendToBuffer(out, v);
            spans.append({out, int(end - out)});
            out = end;
        }
        for (int i = 0; i < spans.size(); ++i)
            sqlite3_bind_text(m_st, i + 1, spans.at(i).first, spans.at(i).second, SQLITE_STATIC);
    }
    ~BoundTexts() { sqlite3_clear_bindings(m_st); }
    BoundTexts(const BoundTexts &) = delete;
    BoundTexts &operator=(const BoundTexts &) = delete;

private:
    sqlite3_stmt *m_st;
    QVarLengthArray<char, 1024> m_utf8;
};

sqlite3_stmt *prepareOne(sqlite3 *db, const QString &sql)
{
    sqlite3_stmt *st = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(db, utf8.constData(), utf8.size(), &st, nullptr);
    if (rc != SQLITE_OK) {
        const QString msg = engineText(db, rc);
        sqlite3_finalize(st);
        throw EngineError(msg);
    }
    return st;
}

// Whether a write could start; another program writing at the moment does not count against it.
bool canWrite(sqlite3 *db)
{
    const int rc = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
    if (rc == SQLITE_OK)
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
    return (rc & 0xff) != SQLITE_READONLY;
}

// How long a statement, the opening included, waits for another program's lock.
constexpr int kBusyWaitMs = 2000;

sqlite3 *openBankFile(const QString &path, bool readOnly)
{
    sqlite3 *db = nullptr;
    int rc;
    if (readOnly) {
        // Nobody can change a file on read-only media, so its log and lock files are not needed.
        const QByteArray uri = "file:" + QUrl::toPercentEncoding(QFileInfo(path).absoluteFilePath(), "/") +
                               "?immutable=1";
        rc = sqlite3_open_v2(uri.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr);
    } else {
        rc = sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr);
    }
    if (rc != SQLITE_OK) {
        const QString msg = engineText(db, rc);
        sqlite3_close(db);
        throw EngineError(QStringLiteral("无法打开词库“") + path + QStringLiteral("”：") + msg);
    }
    // Before the first read: a bank another program holds for a moment is waited for.
    sqlite3_busy_timeout(db, kBusyWaitMs);
    return db;
}

// The bank cannot be written where it lies: the engine refused to write, or the files it keeps
// beside the bank cannot be made there (a read-only disk or folder).
bool onReadOnlyMedia(sqlite3 *db, int rc)
{
    if ((rc & 0xff) == SQLITE_READONLY)
        return true;
    if ((rc & 0xff) != SQLITE_CANTOPEN)
        return false;
    const int e = sqlite3_system_errno(db);
    return e == EROFS || e == EACCES || e == EPERM;
}

// The first read of a bank: 0 when it worked, else the engine's code.
int firstRead(sqlite3 *db)
{
    try {
        pragmaInt(db, "PRAGMA application_id");
    } catch (int code) {
        return code;
    }
    return SQLITE_OK;
}

}  // namespace

EngineError::EngineError(const QString &message)
    : std::runtime_error(message.toStdString()), m_message(message)
{
}

// ---------------------------------------------------------------- connection

JetConnection::~JetConnection() { close(); }

void JetConnection::setConnectionString(const QString &text)
{
    m_connectionString = text;
    m_dataSource.clear();
    m_password.clear();
    for (const QString &part : text.split(QLatin1Char(';'))) {
        const int eq = part.indexOf(QLatin1Char('='));
        if (eq < 0)
            continue;
        const QString key = part.left(eq).trimmed();
        const QString value = part.mid(eq + 1);
        if (key.compare(QLatin1String("Data Source"), Qt::CaseInsensitive) == 0)
            m_dataSource = value;
        else if (key.compare(QLatin1String("Jet OLEDB:Database Password"), Qt::CaseInsensitive) == 0)
            m_password = value;
    }
}

void JetConnection::open()
{
    if (m_db)
        return;
    const QFileInfo fi(m_dataSource);
    if (m_dataSource.isEmpty() || !fi.isFile())
        throw EngineError(QStringLiteral("找不到文件“") + m_dataSource + QStringLiteral("”。"));
    const QString notABank = QStringLiteral("无法识别的数据库格式“") + m_dataSource +
                             QStringLiteral("”：这不是 Lexorin 词库文件。");
    sqlite3 *db = openBankFile(m_dataSource, false);
    // A file opened for reading only lies on read-only media or is itself read-only.
    bool readOnly = sqlite3_db_readonly(db, "main") == 1;
    try {
        if (!readOnly) {
            const int rc = firstRead(db);
            if ((rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED)
                throw EngineError(QStringLiteral("词库“") + m_dataSource +
                                  QStringLiteral("”正被另一个程序锁定，暂时无法打开，请稍后再试。"));
            readOnly = rc == SQLITE_OK ? !canWrite(db) : onReadOnlyMedia(db, rc);
            if ((rc & 0xff) == SQLITE_NOTADB)
                throw rc;
            if (rc != SQLITE_OK && !readOnly)
                throw EngineError(QStringLiteral("无法打开词库“") + m_dataSource + QStringLiteral("”：") +
                                  engineText(db, rc));
        }
        if (readOnly) {
            // Nothing can be written there: read the file as it stands.
            sqlite3_close(db);
            db = nullptr;
            db = openBankFile(m_dataSource, true);
        }
        if (pragmaInt(db, "PRAGMA application_id") != kBankApplicationId)
            throw EngineError(notABank);
        if (pragmaInt(db, "PRAGMA user_version") != passwordMark(m_password))
            throw EngineError(QStringLiteral("词库密码无效。"));
        registerJetCase(db);
        // Names are double-quoted on the way in; a name that is no field must be an error, not
        // read by SQLite as a text that every row then "holds".
        sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DML, 0, nullptr);
        sqlite3_db_config(db, SQLITE_DBCONFIG_DQS_DDL, 0, nullptr);
        if (!readOnly) {
            // WAL with NORMAL sync: every statement is its own quick commit; a crash keeps the
            // bank whole, a power cut may lose the last few statements.
            sqlite3_exec(db, "PRAGMA journal_mode=WAL; PRAGMA synchronous=NORMAL;", nullptr, nullptr, nullptr);
            // A list of 100,000 words with its indexes fits; the default cache holds a tenth.
            sqlite3_exec(db, "PRAGMA cache_size=-32768;", nullptr, nullptr, nullptr);
            upgradeJetBank(db);
        }
    } catch (int) {
        sqlite3_close(db);
        throw EngineError(notABank);
    } catch (...) {
        sqlite3_close(db);
        throw;
    }
    m_db = db;
    m_depth = 0;
    m_readOnly = readOnly;
}

void JetConnection::close()
{
    if (!m_db)
        return;
    dropStatements();
    m_translations.clear();
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_depth = 0;
    m_readOnly = false;
}

sqlite3 *JetConnection::handle()
{
    if (!m_db)
        open();
    return m_db;
}

std::shared_ptr<const JetTranslation> JetConnection::translation(const QString &jetSql)
{
    const auto hit = m_translations.constFind(jetSql);
    if (hit != m_translations.constEnd())
        return *hit;
    sqlite3 *db = handle();
    auto tr = std::make_shared<const JetTranslation>(
        translateJetSql(jetSql, [db](const QString &t) { return columnsOf(db, t); }));
    if (!tr->changesSchema) {
        if (m_translations.size() > 512)
            m_translations.clear();
        m_translations.insert(jetSql, tr);
    }
    return tr;
}

std::shared_ptr<JetPrepared> JetConnection::borrow(const QString &sqliteSql, const QStringList &paramNames)
{
    sqlite3 *db = handle();
    std::shared_ptr<JetPrepared> &cached = m_statements[sqliteSql];
    if (cached && !cached->inUse) {
        cached->inUse = true;
        return cached;
    }
    auto p = std::make_shared<JetPrepared>();
    p->stmt = prepareOne(db, sqliteSql);
    p->paramNames = paramNames;
    const int n = sqlite3_column_count(p->stmt);
    for (int i = 0; i < n; ++i) {
        const QString name = QString::fromUtf8(sqlite3_column_name(p->stmt, i));
        p->columns << name;
        if (!p->columnIndex.contains(name))
            p->columnIndex.insert(name, i);
        if (!p->columnIndex.contains(name.toLower()))
            p->columnIndex.insert(name.toLower(), i);
    }
    p->inUse = true;
    if (!cached) {
        if (m_statements.size() > 256) {
            // Statements of lists long gone; those still borrowed live on with their borrower.
            m_statements.clear();
            m_statements.insert(sqliteSql, p);
        } else {
            cached = p;
        }
    }
    return p;
}

JetPrepared::~JetPrepared() { sqlite3_finalize(stmt); }

JetConnection::Ready JetConnection::acquire(const QString &jetSql)
{
    handle();
    // Call sites keep their texts, so the same text mostly comes back as the same string.
    for (Recent &r : m_recent) {
        if (r.jetSql.size() != jetSql.size() || !r.prepared ||
            (r.jetSql.constData() != jetSql.constData() && r.jetSql != jetSql))
            continue;
        if (r.prepared->inUse)
            continue;  // open elsewhere: this one gets a statement of its own
        r.prepared->inUse = true;
        return {r.translation, r.prepared};
    }
    Ready ready{translation(jetSql), nullptr};
    const JetTranslation &tr = *ready.translation;
    if (tr.statements.size() != 1 || tr.changesSchema)
        return ready;
    const JetStatement &js = tr.statements.front();
    ready.prepared = borrow(js.sql, js.paramNames);
    Recent &r = m_recent[m_recentNext];
    m_recentNext = (m_recentNext + 1) % int(m_recent.size());
    r = {jetSql, ready.translation, ready.prepared};
    return ready;
}

namespace {
void giveBack(const std::shared_ptr<JetPrepared> &p)
{
    sqlite3_reset(p->stmt);
    sqlite3_clear_bindings(p->stmt);
    p->inUse = false;
}
}  // namespace

int JetConnection::run(const QString &jetSql, const QHash<QString, QString> &params,
                       const QHash<QString, QStringList> &repeated)
{
    handle();
    return runTranslated(translation(jetSql), params, repeated);
}

int JetConnection::runTranslated(const std::shared_ptr<const JetTranslation> &tr,
                                 const QHash<QString, QString> &params, const QHash<QString, QStringList> &repeated)
{
    sqlite3 *db = handle();
    // Several statements (a table with its numbering and indexes) land together or not at all.
    std::unique_ptr<JetTransaction> t;
    if (tr->statements.size() > 1)
        t = std::make_unique<JetTransaction>(*this);
    int changed = 0;
    for (size_t i = 0; i < tr->statements.size(); ++i) {
        const JetStatement &js = tr->statements[i];
        const auto p = borrow(js.sql, js.paramNames);
        try {
            bindParams(db, p->stmt, js, params, repeated);
        } catch (...) {
            giveBack(p);
            throw;
        }
        int rc;
        while ((rc = sqlite3_step(p->stmt)) == SQLITE_ROW) {
        }
        if (rc != SQLITE_DONE) {
            const QString msg = engineText(db, rc);
            giveBack(p);
            throw EngineError(msg);
        }
        giveBack(p);
        if (int(i) == tr->dataStatement)
            changed = sqlite3_changes(db);
    }
    if (t)
        t->commit();
    if (tr->changesSchema) {
        // Names and columns may mean something else now.
        m_translations.clear();
        dropStatements();
    }
    return changed;
}

int JetConnection::number(const QString &jetSql, const QStringList &values)
{
    sqlite3 *db = handle();
    Ready ready = acquire(jetSql);
    if (!ready.translation->returnsRows || !ready.prepared) {
        if (ready.prepared)
            giveBack(ready.prepared);
        throw EngineError(QStringLiteral("该语句不返回记录。"));
    }
    const JetStatement &js = ready.translation->statements.front();
    const auto &p = ready.prepared;
    int n = 0;
    QString msg;
    try {
        const BoundTexts bound(p->stmt, values, int(js.paramNames.size()));
        const int rc = sqlite3_step(p->stmt);
        n = rc == SQLITE_ROW ? sqlite3_column_int(p->stmt, 0) : 0;
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            msg = engineText(db, rc);
        sqlite3_reset(p->stmt);
    } catch (...) {
        giveBack(p);
        throw;
    }
    // Already reset and its values cleared.
    p->inUse = false;
    if (!msg.isEmpty())
        throw EngineError(msg);
    return n;
}

void JetConnection::dropStatements()
{
    m_statements.clear();
    for (Recent &r : m_recent)
        r = {};
}

void JetConnection::execute(const QString &jetSql, const QHash<QString, QString> &params)
{
    run(jetSql, params, {});
}

void JetConnection::stepFixed(const QString &sql)
{
    sqlite3 *db = handle();
    const auto p = borrow(sql, {});
    const int rc = sqlite3_step(p->stmt);
    const QString msg = rc == SQLITE_DONE || rc == SQLITE_ROW ? QString() : engineText(db, rc);
    giveBack(p);
    if (!msg.isEmpty())
        throw EngineError(msg);
}

// Every word-list command opens and closes one: prepared once, not parsed each time.
void JetConnection::beginTransaction()
{
    static const QString savepoint = QStringLiteral("SAVEPOINT lxb");
    stepFixed(savepoint);
    ++m_depth;
}

void JetConnection::commit()
{
    if (m_depth <= 0)
        return;
    static const QString release = QStringLiteral("RELEASE SAVEPOINT lxb");
    stepFixed(release);
    --m_depth;
}

void JetConnection::rollback()
{
    if (m_depth <= 0 || !m_db)
        return;
    sqlite3_exec(m_db, "ROLLBACK TO SAVEPOINT lxb; RELEASE SAVEPOINT lxb;", nullptr, nullptr, nullptr);
    --m_depth;
}

QStringList JetConnection::tableNames()
{
    QStringList names;
    sqlite3_stmt *st =
        prepareOne(handle(), QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' ORDER BY rowid"));
    while (sqlite3_step(st) == SQLITE_ROW)
        names << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    return names;
}

QStringList JetConnection::schemaNames()
{
    QStringList names;
    sqlite3_stmt *st = prepareOne(handle(), QStringLiteral("SELECT name FROM sqlite_master"));
    while (sqlite3_step(st) == SQLITE_ROW)
        names << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)));
    sqlite3_finalize(st);
    return names;
}

void JetConnection::initialiseBankFile(const QString &path, const QString &password)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE,
                        nullptr) != SQLITE_OK) {
        const QString msg = engineText(db, SQLITE_CANTOPEN);
        sqlite3_close(db);
        throw EngineError(msg);
    }
    const QByteArray sql = QStringLiteral("PRAGMA application_id=%1; PRAGMA user_version=%2;")
                               .arg(kBankApplicationId)
                               .arg(passwordMark(password))
                               .toUtf8();
    const int rc = sqlite3_exec(db, sql.constData(), nullptr, nullptr, nullptr);
    sqlite3_close(db);
    if (rc != SQLITE_OK)
        throw EngineError(QStringLiteral("无法创建词库“") + path + QStringLiteral("”。"));
}

JetTransaction::~JetTransaction()
{
    if (!m_done)
        m_c.rollback();
}

void JetTransaction::commit()
{
    m_c.commit();
    m_done = true;
}

// ---------------------------------------------------------------- command

JetCommand::JetCommand(JetConnection &connection, const QString &jetSql) : m_conn(connection)
{
    JetConnection::Ready ready = m_conn.acquire(jetSql);
    if (!ready.prepared || ready.translation->returnsRows) {
        if (ready.prepared)
            giveBack(ready.prepared);
        throw EngineError(QStringLiteral("该语句不能逐行执行：") + jetSql);
    }
    m_prepared = std::move(ready.prepared);
}

JetCommand::~JetCommand() { giveBack(m_prepared); }

int JetCommand::exec(const QStringList &values)
{
    sqlite3_stmt *st = m_prepared->stmt;
    sqlite3 *db = m_conn.handle();
    QString msg;
    {
        const BoundTexts bound(st, values, int(m_prepared->paramNames.size()));
        const int rc = sqlite3_step(st);
        if (rc != SQLITE_DONE && rc != SQLITE_ROW)
            msg = engineText(db, rc);
        sqlite3_reset(st);
    }
    if (!msg.isEmpty())
        throw EngineError(msg);
    return sqlite3_changes(db);
}

// ---------------------------------------------------------------- query

JetQuery::~JetQuery() { close(); }

void JetQuery::setConnection(JetConnection *c)
{
    close();
    m_conn = c;
}

void JetQuery::clearSql()
{
    close();
    m_sql.clear();
    m_params.clear();
}

void JetQuery::setSql(const QString &text)
{
    close();
    m_params.clear();
    m_sql = text;
}

void JetQuery::setParam(const QString &name, const QString &value) { m_params.append({name, value}); }

void JetQuery::close()
{
    if (m_prepared) {
        giveBack(m_prepared);
        m_prepared.reset();
    }
    m_stmt = nullptr;
    m_translation.reset();
    m_active = false;
    m_eof = true;
    m_recordCount = -1;
}

void JetQuery::prepare()
{
    if (!m_conn)
        throw EngineError(QStringLiteral("查询没有连接。"));
    JetConnection::Ready ready = m_conn->acquire(m_sql);
    if (!ready.translation->returnsRows || ready.translation->statements.size() != 1) {
        if (ready.prepared)
            giveBack(ready.prepared);
        throw EngineError(QStringLiteral("该语句不返回记录。"));
    }
    m_prepared = std::move(ready.prepared);
    m_translation = std::move(ready.translation);
    m_stmt = m_prepared->stmt;
    try {
        bindGiven(m_stmt, m_prepared->paramNames, m_params, m_bound);
    } catch (...) {
        close();
        throw;
    }
}

void JetQuery::step()
{
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW) {
        m_eof = false;
    } else if (rc == SQLITE_DONE) {
        m_eof = true;
    } else {
        const QString msg = engineText(m_conn->handle(), rc);
        close();
        throw EngineError(msg);
    }
}

void JetQuery::open()
{
    close();
    prepare();
    m_active = true;
    step();
}

void JetQuery::first()
{
    if (!m_active)
        throw EngineError(QStringLiteral("记录集已关闭。"));
    sqlite3_reset(m_stmt);
    step();
}

void JetQuery::next()
{
    if (!m_active)
        throw EngineError(QStringLiteral("记录集已关闭。"));
    if (!m_eof)
        step();
}

QStringList JetQuery::fieldNames() const { return m_prepared ? m_prepared->columns : QStringList(); }

bool JetQuery::hasField(const QString &name) const { return fieldIndex(name) >= 0; }

QString JetQuery::fieldByName(const QString &name) const
{
    const int i = fieldIndex(name);
    if (i < 0)
        throw EngineError(QStringLiteral("找不到字段“") + name + QStringLiteral("”。"));
    return fieldAt(i);
}

int JetQuery::fieldIndex(const QString &name) const
{
    if (!m_prepared)
        return -1;
    const auto &index = m_prepared->columnIndex;
    const auto it = index.constFind(name);
    return it != index.constEnd() ? *it : index.value(name.toLower(), -1);
}

QString JetQuery::fieldAt(int index) const
{
    const QByteArrayView text = fieldUtf8At(index);
    if (text.isNull())
        return QString();
    return QString::fromUtf8(text);
}

QByteArrayView JetQuery::fieldUtf8At(int index) const
{
    if (!m_prepared || index < 0 || index >= m_prepared->columns.size())
        throw EngineError(QStringLiteral("找不到字段序号 ") + QString::number(index) + QStringLiteral("。"));
    if (!m_active || m_eof)
        throw EngineError(QStringLiteral("BOF 或 EOF 中有一个是“真”，或者当前记录已被删除。"));
    const unsigned char *text = sqlite3_column_text(m_stmt, index);
    if (!text)
        return {};
    return QByteArrayView(reinterpret_cast<const char *>(text), sqlite3_column_bytes(m_stmt, index));
}

int JetQuery::recordCount()
{
    if (!m_active)
        throw EngineError(QStringLiteral("记录集已关闭。"));
    if (m_recordCount < 0) {
        sqlite3 *db = m_conn->handle();
        const JetStatement &js = m_translation->statements.front();
        const QString counting = m_translation->countSql.isEmpty()
                                     ? QStringLiteral("SELECT count(*) FROM (") + js.sql + QLatin1Char(')')
                                     : m_translation->countSql;
        const auto p = m_conn->borrow(counting, js.paramNames);
        BoundUtf8 utf8;
        try {
            bindGiven(p->stmt, js.paramNames, m_params, utf8);
        } catch (...) {
            giveBack(p);
            throw;
        }
        const int rc = sqlite3_step(p->stmt);
        m_recordCount = rc == SQLITE_ROW ? sqlite3_column_int(p->stmt, 0) : 0;
        const QString msg = rc == SQLITE_ROW ? QString() : engineText(db, rc);
        giveBack(p);
        if (rc != SQLITE_ROW)
            throw EngineError(msg);
    }
    return m_recordCount;
}

int JetQuery::execSql()
{
    close();
    if (!m_conn)
        throw EngineError(QStringLiteral("查询没有连接。"));
    JetConnection::Ready ready = m_conn->acquire(m_sql);
    if (!ready.prepared) {
        // Several statements, or a change of the schema: the connection runs them together.
        QHash<QString, QStringList> repeated;
        for (const Param &p : m_params)
            repeated[p.name].append(p.value);
        return m_conn->runTranslated(ready.translation, {}, repeated);
    }
    sqlite3 *db = m_conn->handle();
    JetPrepared &p = *ready.prepared;
    QString msg;
    try {
        bindGiven(p.stmt, p.paramNames, m_params, m_bound);
    } catch (...) {
        giveBack(ready.prepared);
        throw;
    }
    int rc;
    while ((rc = sqlite3_step(p.stmt)) == SQLITE_ROW) {
    }
    if (rc != SQLITE_DONE)
        msg = engineText(db, rc);
    giveBack(ready.prepared);
    if (!msg.isEmpty())
        throw EngineError(msg);
    return sqlite3_changes(db);
}

namespace {
void vacuumInto(JetConnection &src, const QString &destPath)
{
    sqlite3_stmt *st = prepareOne(src.handle(), QStringLiteral("VACUUM INTO ?"));
    const QByteArray path = destPath.toUtf8();
    sqlite3_bind_text(st, 1, path.constData(), int(path.size()), SQLITE_TRANSIENT);
    const int rc = sqlite3_step(st);
    const QString msg = rc == SQLITE_DONE ? QString() : engineText(src.handle(), rc);
    sqlite3_finalize(st);
    if (rc != SQLITE_DONE)
        throw EngineError(msg);
}
}  // namespace

void JetBackupDatabase(const QString &connectionText, const QString &destPath)
{
    if (QFileInfo::exists(destPath))
        throw EngineError(QStringLiteral("数据库“") + destPath + QStringLiteral("”已存在。"));
    JetConnection src;
    src.setConnectionString(connectionText);
    src.open();
    vacuumInto(src, destPath);
}

void JetCompactDatabase(const QString &connectionText)
{
    JetConnection bank;
    bank.setConnectionString(connectionText);
    bank.open();
    // Only a bank nobody else has open is compacted: the engine leaves its shared log only when no
    // other connection uses it, and a program that keeps the bank open keeps it as it is.
    sqlite3_stmt *mode = prepareOne(bank.handle(), QStringLiteral("PRAGMA journal_mode=DELETE"));
    const bool alone = sqlite3_step(mode) == SQLITE_ROW &&
                       QByteArray(reinterpret_cast<const char *>(sqlite3_column_text(mode, 0)))
                               .compare("delete", Qt::CaseInsensitive) == 0;
    sqlite3_finalize(mode);
    if (!alone)
        throw EngineError(QStringLiteral("数据库“") + bank.dataSource() + QStringLiteral("”正被另一个程序使用。"));
    // The bank is rebuilt in its own file under the engine's exclusive lock, with its journal: a
    // program that opens the bank meanwhile waits and then finds it whole, and a compaction cut
    // short (a full disk, a crash) is rolled back to the bank as it was.
    sqlite3 *db = bank.handle();
    const int rc = sqlite3_exec(db, "VACUUM", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        throw EngineError(engineText(db, rc));
}
