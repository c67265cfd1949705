#pragma once
// What the learner has studied in this run: zero when the program starts, never reset. The word
// browser and the tests add to them; each close of the study-group builder logs what they gained.

#include <QtGlobal>

struct TPStudyCounters {
    qint64 browseSeconds = 0;
    qint64 testSeconds = 0;
    qint64 experience = 0;
};

TPStudyCounters &PStudyCounters();
