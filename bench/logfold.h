#pragma once
// The bank's write-ahead log folded back into the bank outside the clocks. Left to SQLite, the fold
// runs inside the commit that fills the log; with a program side and a raw side taking turns, that
// can be the same side's commit every time, and its time then holds every fold of both.

#include <sqlite3.h>

class TPLogFoldsOutsideTheClock {
public:
    explicit TPLogFoldsOutsideTheClock(sqlite3 *db) : m_db(db) { sqlite3_wal_autocheckpoint(m_db, 0); }
    ~TPLogFoldsOutsideTheClock() { sqlite3_wal_autocheckpoint(m_db, 1000); }
    TPLogFoldsOutsideTheClock(const TPLogFoldsOutsideTheClock &) = delete;
    TPLogFoldsOutsideTheClock &operator=(const TPLogFoldsOutsideTheClock &) = delete;

    // Call between timed runs.
    void fold() { sqlite3_wal_checkpoint_v2(m_db, nullptr, SQLITE_CHECKPOINT_PASSIVE, nullptr, nullptr); }

private:
    sqlite3 *m_db;
};
