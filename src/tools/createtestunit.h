#pragma once
// The answer options of a multiple-choice test, built into OptionTable from the study group in
// TempTable before the test window is shown.

#include "rules/optionbuilder.h"

#include <QString>
#include <QVector>

// What the last build used.
extern QString PTestType;
extern int PGroupSize;
extern int POptionCount;

// Builds the options when the chosen tool is the multiple-choice test; otherwise does nothing.
void PPrepareTest();
// Builds OptionTable from TempTable: all rows or none.
void PCreateOptionTable();
// Reads the settings, counts the group and empties OptionTable; the question rows, in the order
// the test builds them.
QVector<TPGroupRow> PPrepareOptionTable();
