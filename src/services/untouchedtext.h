#pragma once
// A stored text shown in a plain-text box comes back changed though nobody touched it: every kind
// of line break becomes "\n" and a no-break space a blank. These routines give the stored text
// back for what the learner left alone.

#include <QString>

// The text a plain-text box gives back for Stored when nothing was typed.
QString PShownPlainText(const QString &Stored);
// Stored after the learner turned its shown text into Edited: the characters before and after
// the changed stretch stay exactly as stored, the changed stretch is taken as typed. Edited equal
// to the shown text gives Stored itself.
QString PKeepUntouched(const QString &Stored, const QString &Edited);
