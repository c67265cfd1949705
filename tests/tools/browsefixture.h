#pragma once
// A bank whose study group sits in TempTable, the windows the browser hands over to, and the
// browser itself on a hand-worked clock; the hand-overs to windows made elsewhere are recorded.

#include "services/handovers.h"
#include "vocab/bankvocab.h"
#include "core/currentlist.h"
#include "core/listviews.h"
#include "platform/sound.h"
#include "services/publicform.h"
#include "shell/minibrowseform.h"
#include "core/studycounters.h"
#include "support/bankfixture.h"
#include "support/manualclock.h"
#include "tools/browseform.h"

#include <QApplication>
#include <QTimer>
#include <QTreeWidget>
#include <map>
#include <string>
#include <vector>

class BrowseFixture : public BankFixture {
protected:
    using Row = std::map<std::string, std::string>;
    using Bank = std::map<std::string, std::vector<Row>>;

    void SetUp() override
    {
        BankFixture::SetUp();
        PEnsureUserRow();
        PSetCurrentTable(Tbl::WordTable);
        clock = std::make_unique<ManualClock>();
        publicForm = std::make_unique<TPPublicForm>();
        mini = std::make_unique<TPMiniBrowseForm>();
        mini->TimerApp->setEnabled(false);
        form = std::make_unique<TPbrowseform>();
        PBrowseSeconds = 0;
        PBrowseIndex = 0;
        PStudyCounters() = {};
        savedHandOvers = PHandOvers();
        TPHandOvers &h = PHandOvers();
        auto note = [this](const QString &what) { return [this, what] { handedTo << what; }; };
        h.prepareTest = note(QStringLiteral("PrepareTest"));
        h.testFormSpell = note(QStringLiteral("TestFormSpell"));
        h.testFormSelect = note(QStringLiteral("TestFormSelect"));
        h.createForm = note(QStringLiteral("CreateForm"));
        h.crazySpellForm = note(QStringLiteral("CrazySpellForm"));
        h.sameSubStrWordForm = [this](bool popupAuto) {
            handedTo << QStringLiteral("SameSubStrWordForm") + (popupAuto ? QStringLiteral(":popup") : QString());
        };
        h.dictForm = [this](const QString &w, bool) { handedTo << QStringLiteral("DictForm:") + w; };
        h.miniBrowseGroup = [this](const QString &t) { mini->PShowGroup(t); };
        h.quit = [this] { mini->close(); };
        Sound::clearRequests();
    }

    void TearDown() override
    {
        PHandOvers() = savedHandOvers;
        form.reset();
        mini.reset();
        publicForm.reset();
        clock.reset();
        BankFixture::TearDown();
    }

    // Words (with meaning word + "义") in the current list, then the whole list as the group.
    void makeGroup(const QStringList &words)
    {
        for (const QString &w : words)
            addWord(Tbl::WordTable, w, w + QStringLiteral("义"));
        dm->PMoveAll(Tbl::WordTable, Tbl::TempTable);
    }

    // The builder's hand-over: shows the browser, which loads in its activation.
    void open()
    {
        builder.Show();
        settle();
        builder.Hide();
        form->Show();
        settle();
    }
    static void settle()
    {
        for (int i = 0; i < 5; ++i)
            QApplication::processEvents();
    }

    int rowOf(const QString &word) const
    {
        for (int i = 0; i < PItemCount(form->PListView); ++i)
            if (PSubItem(PItemAt(form->PListView, i), 0) == word)
                return i;
        return -1;
    }
    void selectOnly(const QStringList &words)
    {
        form->PListView->clearSelection();
        for (const QString &w : words)
            PItemAt(form->PListView, rowOf(w))->setSelected(true);
    }
    QString cell(const QString &word, int column) const
    {
        return PSubItem(PItemAt(form->PListView, rowOf(word)), column - 1);
    }
    QStringList listWords() const
    {
        QStringList out;
        for (int i = 0; i < PItemCount(form->PListView); ++i)
            out << PSubItem(PItemAt(form->PListView, i), 0);
        return out;
    }

    // Every row of the word tables, ordered by ID and word, every field as text.
    Bank bank()
    {
        Bank out;
        for (const QString &t : {Tbl::WordTable, Tbl::TempTable}) {
            JetQuery &q = dm->PQuery;
            q.setSql(QStringLiteral("select * from ") + t + QStringLiteral(" order by ID, 单词"));
            q.open();
            std::vector<Row> rows;
            for (; !q.eof(); q.next()) {
                Row r;
                for (const QString &f : q.fieldNames())
                    r[f.toStdString()] = q.fieldByName(f).toStdString();
                rows.push_back(r);
            }
            q.close();
            out[t.toStdString()] = rows;
        }
        return out;
    }
    // Sets field of every row of table whose word is word (id 0: every ID) in an expected bank.
    static void expectSet(Bank &b, const QString &table, const QString &word, const QString &field,
                          const QString &value, int id = 0)
    {
        for (Row &r : b[table.toStdString()])
            if (r["单词"] == word.toStdString() && (id == 0 || r["ID"] == std::to_string(id)))
                r[field.toStdString()] = value.toStdString();
    }

    QStringList spoken() const
    {
        QStringList out;
        for (const Sound::Request &r : Sound::requests())
            if (r.kind == Sound::Request::Speech)
                out << r.what;
        return out;
    }

    std::unique_ptr<ManualClock> clock;
    std::unique_ptr<TPPublicForm> publicForm;
    std::unique_ptr<TPMiniBrowseForm> mini;
    std::unique_ptr<TPbrowseform> form;
    QStringList handedTo;
    TPHandOvers savedHandOvers;
    TPForm builder;  // stands for the window that hands over to the browser
};
