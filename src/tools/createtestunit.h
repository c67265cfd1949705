#pragma once
// The answer options of a multiple-choice test, built into OptionTable from the study group in
// TempTable before the test window is shown, and read back by the test.

#include "rules/optionbuilder.h"
#include "sessions/choicesession.h"

#include <QString>
#include <QVector>

// What a build reads before it draws: the settings and the group, in the order the test builds it.
struct TPOptionBuild {
    QString testType;
    int groupSize = 0;
    int optionCount = 0;
    QVector<TPGroupRow> group;
};

// Builds the options when the chosen tool is the multiple-choice test; otherwise does nothing.
void PPrepareTest();
// Builds OptionTable from TempTable: all rows or none.
void PCreateOptionTable();
// Reads the settings, counts the group and empties OptionTable.
TPOptionBuild PPrepareOptionTable();
// Every row of OptionTable, in the order it holds them, with its options.
QList<TPChoiceRow> PReadOptionTable();
