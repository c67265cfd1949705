#pragma once
// The one way a study tool writes what a learner did back to the bank: every changed field of a
// word in one update, every word of the write-back in one transaction, and on a refusal nothing
// written and one message shown.

#include "vocab/wordwrites.h"

// Applies W in one transaction. On a refusal nothing is written, Failure is shown as an error (no
// message when Failure is empty) and false is returned. Totals, when given, receives each learner
// counter's new value in the order of learnerAdds.
bool PWriteBack(const TPWriteBack &W, const QString &Failure = QStringLiteral("词库更新失败"),
                QList<qint64> *Totals = nullptr);
// As PWriteBack, for the tools whose failures reach the application's error report: a refusal is
// shown with the engine's own text.
bool PWriteBackOrReport(const TPWriteBack &W);
