#include "core/studycounters.h"

TPStudyCounters &PStudyCounters()
{
    static TPStudyCounters counters;
    return counters;
}
