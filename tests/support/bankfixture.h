#pragma once
// A fresh program folder with a new word bank (every table of the schema, TempTable included)
// and the data module opened on it. Dialogs are scripted.

#include "core/datamodule.h"
#include "support/scripteddialogs.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>

class BankFixture : public ::testing::Test {
public:
    // Makes an empty bank file with the schema at path (the data module is not touched).
    static void makeBank(const QString &path);

protected:
    void SetUp() override;
    void TearDown() override;

    // Adds a word to list T as the word-entry editor would (statistics of a new word).
    void addWord(const QString &T, const QString &word, const QString &explanation = QStringLiteral("解释"),
                 const QString &category = QStringLiteral("基本词"));
    // All values of one column of T, in the order the bank returns them.
    QStringList column(const QString &T, const QString &field);
    // Runs SQLite's own SQL on the open bank, past the data layer (triggers that make a write
    // fail, tables renamed away); fails the test when SQLite refuses it.
    void raw(const QString &sql);
    // Makes every Op ("insert", "update", "delete", "update of <column>") on table T fail where the SQL
    // condition holds, with the engine's message Message.
    void refuse(const QString &op, const QString &T, const QString &condition = QStringLiteral("1"),
                const QString &message = QStringLiteral("refused"));

    QTemporaryDir dir;
    QString programDir;  // ends with "/"
    QString bankPath;
    std::unique_ptr<ScriptedDialogs> dialogs;
    std::unique_ptr<TPdatamodule> dm;
};
