#pragma once
// A bank with the shared window on a driven date and clock, for quick recall and
// tick-to-memorise: their hand-overs are recorded instead of opening other windows.

#include "services/handovers.h"
#include "vocab/bankvocab.h"
#include "core/currentlist.h"
#include "core/datamodule.h"
#include "platform/sound.h"
#include "services/pronunciation.h"
#include "services/publicform.h"
#include "support/bankfixture.h"
#include "support/drivendate.h"
#include "support/manualclock.h"
#include "support/recordingbrowser.h"
#include "support/settle.h"

#include <memory>
#include <sqlite3.h>

class SelfReviewFixture : public BankFixture {
protected:
    inline static const QString W = Tbl::WordTable;
    inline static const QString kToday = QStringLiteral("2026-12-07");
    inline static const QString kEarlier = QStringLiteral("2026-12-01");

    void SetUp() override
    {
        BankFixture::SetUp();
        PEnsureUserRow();
        PSetCurrentTable(W);
        publicForm = std::make_unique<TPPublicForm>();
        savedHandOvers = PHandOvers();
        PHandOvers().dictForm = [this](const QString &w, bool mayChange) {
            handOvers << QStringLiteral("dict:") + w + (mayChange ? QStringLiteral("/may change") : QString());
        };
        PHandOvers().studyToolSelectForm = [this] { handOvers << QStringLiteral("toolchoice"); };
    }
    void TearDown() override
    {
        PHandOvers() = savedHandOvers;
        PStopBackMusic();
        publicForm.reset();
        BankFixture::TearDown();
    }

    // A word of list T with its master type and test date.
    void word(const QString &w, const QString &master, const QString &date = QStringLiteral("2000-01-01"),
              const QString &T = Tbl::WordTable)
    {
        addWord(T, w, w + QStringLiteral("的解释"));
        dm->PUpdateOneDataFromTable(T, Col::Word, Col::MasterType, w, master);
        dm->PUpdateOneDataFromTable(T, Col::Word, Col::LastTested, w, date);
    }
    // Every row of T as "word master date", in table order.
    QStringList rows(const QString &T = Tbl::WordTable)
    {
        const QStringList w = column(T, Col::Word), m = column(T, Col::MasterType), d = column(T, Col::LastTested);
        QStringList out;
        for (int i = 0; i < w.size(); ++i)
            out << w[i] + QLatin1Char(' ') + m[i] + QLatin1Char(' ') + d[i];
        return out;
    }
    // Makes every later update or delete of the word's rows in T fail in the engine.
    void refuseChangesTo(const QString &w, const QString &T = Tbl::WordTable)
    {
        for (const char *verb : {"update", "delete"})
            refuse(QLatin1String(verb), T, QStringLiteral("old.\"单词\"='%1'").arg(w));
    }
    QStringList spoken() const
    {
        QStringList out;
        for (const Sound::Request &r : Sound::requests())
            if (r.kind == Sound::Request::Speech)
                out << r.what;
        return out;
    }

    DrivenDate date{QDateTime(QDate(2026, 12, 7), QTime(10, 0))};
    ManualClock clock;
    RecordingBrowser browser;
    std::unique_ptr<TPPublicForm> publicForm;
    QStringList handOvers;

private:
    TPHandOvers savedHandOvers;
};
