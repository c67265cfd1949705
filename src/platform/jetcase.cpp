#include "platform/jetcase.h"

#include <QVector>
#include <sqlite3.h>

const char *const JetCaseCollation = "JETCASE";

namespace {

bool isAscii(const char *p, int n)
{
    for (int i = 0; i < n; ++i)
        if (static_cast<unsigned char>(p[i]) >= 0x80)
            return false;
    return true;
}

char lowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? char(c + 32) : c; }

// Plain English spellings go the short way; the order agrees with the folded comparison below,
// which an index relies on.
int compareFolded(void *, int n1, const void *p1, int n2, const void *p2)
{
    const char *a = static_cast<const char *>(p1);
    const char *b = static_cast<const char *>(p2);
    if (isAscii(a, n1) && isAscii(b, n2)) {
        const int n = qMin(n1, n2);
        for (int i = 0; i < n; ++i) {
            const char x = lowerAscii(a[i]), y = lowerAscii(b[i]);
            if (x != y)
                return x < y ? -1 : 1;
        }
        return n1 == n2 ? 0 : (n1 < n2 ? -1 : 1);
    }
    const QString x = QString::fromUtf8(a, n1).toCaseFolded();
    const QString y = QString::fromUtf8(b, n2).toCaseFolded();
    const int r = QString::compare(x, y, Qt::CaseSensitive);
    return r < 0 ? -1 : (r > 0 ? 1 : 0);
}

bool likeFolded(const QString &p, const QString &t, QChar escape);

QString argText(sqlite3_value *v)
{
    const unsigned char *t = sqlite3_value_text(v);
    return t ? QString::fromUtf8(reinterpret_cast<const char *>(t), sqlite3_value_bytes(v)) : QString();
}

// like(pattern, text[, escape]) as SQLite calls it for "text LIKE pattern".
void likeFunction(sqlite3_context *ctx, int argc, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return;
    QChar escape;
    if (argc == 3) {
        const QString e = argText(argv[2]);
        if (e.size() != 1) {
            sqlite3_result_error(ctx, "ESCAPE expression must be a single character", -1);
            return;
        }
        escape = e.at(0);
    }
    // The pattern is the same for every row of a statement: fold it once.
    auto *folded = static_cast<QString *>(sqlite3_get_auxdata(ctx, 0));
    if (!folded) {
        folded = new QString(argText(argv[0]).toCaseFolded());
        sqlite3_set_auxdata(ctx, 0, folded, [](void *p) { delete static_cast<QString *>(p); });
        folded = static_cast<QString *>(sqlite3_get_auxdata(ctx, 0));
        if (!folded) {
            sqlite3_result_error_nomem(ctx);
            return;
        }
    }
    sqlite3_result_int(ctx, likeFolded(*folded, argText(argv[1]).toCaseFolded(), escape) ? 1 : 0);
}

}  // namespace

namespace {

// Both texts already folded.
bool likeFolded(const QString &p, const QString &t, QChar escape)
{
    // Greedy walk with one back-track point per '%': linear in practice, never exponential.
    int pi = 0, ti = 0, starP = -1, starT = 0;
    while (ti < t.size()) {
        if (pi < p.size()) {
            const QChar pc = p.at(pi);
            if (pc == QLatin1Char('%')) {
                starP = ++pi;
                starT = ti;
                continue;
            }
            bool literal = false;
            QChar want = pc;
            if (!escape.isNull() && pc == escape && pi + 1 < p.size()) {
                want = p.at(pi + 1);
                literal = true;
            }
            if ((!literal && pc == QLatin1Char('_')) || want == t.at(ti)) {
                pi += literal ? 2 : 1;
                ++ti;
                continue;
            }
        }
        if (starP < 0)
            return false;
        pi = starP;
        ti = ++starT;
    }
    while (pi < p.size() && p.at(pi) == QLatin1Char('%'))
        ++pi;
    return pi == p.size();
}

}  // namespace

bool jetLike(const QString &pattern, const QString &text, QChar escape)
{
    return likeFolded(pattern.toCaseFolded(), text.toCaseFolded(),
                      escape.isNull() ? escape : QString(escape).toCaseFolded().at(0));
}

void registerJetCase(sqlite3 *db)
{
    sqlite3_create_collation(db, JetCaseCollation, SQLITE_UTF8, nullptr, compareFolded);
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(db, "like", 2, flags, nullptr, likeFunction, nullptr, nullptr);
    sqlite3_create_function(db, "like", 3, flags, nullptr, likeFunction, nullptr, nullptr);
}
