#pragma once
// A bank with the learner row, "WordTable" current, today fixed, and every hand-over of the study
// setup recorded instead of opening a tool.

#include "vocab/bankvocab.h"
#include "core/currentlist.h"
#include "platform/formbase.h"
#include "platform/inifile.h"
#include "services/handovers.h"
#include "support/bankfixture.h"
#include "support/drivendate.h"
#include "support/settle.h"
#include "support/qstringprinter.h"

#include <QStringList>
#include <memory>

class StudyFixture : public BankFixture {
protected:
    void SetUp() override
    {
        BankFixture::SetUp();
        PEnsureUserRow();
        PSetCurrentTable(Tbl::WordTable);
        date = std::make_unique<DrivenDate>(QDateTime(QDate(2026, 12, 7), QTime(10, 0)));
        saved = PHandOvers();
        TPHandOvers &h = PHandOvers();
        const auto record = [this](const char *name) { return [this, name] { opened << QLatin1String(name); }; };
        h.browseForm = record("browse");
        h.prepareTest = record("prepare");
        h.testFormSpell = record("spell");
        h.testFormSelect = record("select");
        h.crazySpellForm = record("crazy");
        h.recallFormSpell = record("recall");
        h.linkerForm = record("linker");
        h.directCheckForm = record("direct");
    }
    void TearDown() override
    {
        PHandOvers() = saved;
        date.reset();
        BankFixture::TearDown();
    }

    // Adds a word to list T with its statistics: done, wrong, last answer, last test date, master type.
    void addStudied(const QString &T, const QString &word, int done, int wrong, const QString &last,
                    const QString &tested, const QString &master)
    {
        addWord(T, word);
        for (const auto &[field, value] :
             {std::pair{Col::TimesDone, QString::number(done)}, std::pair{Col::TimesWrong, QString::number(wrong)},
              std::pair{Col::LastRight, last}, std::pair{Col::LastTested, tested},
              std::pair{Col::MasterType, master}})
            dm->PUpdateOneDataFromTable(T, Col::Word, field, word, value);
    }
    void addWords(const QString &T, int count, const QString &prefix = QStringLiteral("w"))
    {
        for (int i = 0; i < count; ++i)
            addWord(T, prefix + QString::number(i));
    }
    QString ini(const QString &section, const QString &key)
    {
        return TIniFile(programDir + QStringLiteral("config.ini")).ReadString(section, key, QStringLiteral("<none>"));
    }

    // Shows form as another window of the program hands over to it: its activation runs.
    void handOverTo(TPForm *form)
    {
        other.Show();
        PSettleEvents();
        const int before = form->activationCount();
        form->Show();
        other.hide();
        PSettleEvents();
        ASSERT_GT(form->activationCount(), before);
    }

    TPForm other;
    std::unique_ptr<DrivenDate> date;
    TPHandOvers saved;
    QStringList opened;
};
