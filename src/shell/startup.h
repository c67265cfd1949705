#pragma once
// The program's start: the data module, then every window once, in a fixed order.

#include <QString>
#include <QStringList>

// Makes the data module for a program in programDir started with args (without the program's
// own name), then the windows. Returns false when the program must end at once (no word bank);
// the windows are made all the same. Runs no event loop.
bool PStartUp(const QString &programDir, const QStringList &args);
// Frees the windows, last made first, and then the data module.
void PShutDown();
// Fills the hand-over table with the windows made so far; an entry whose window is not made (or
// freed) does nothing when run. Start-up calls it once every window is made.
void PWireHandOvers();
