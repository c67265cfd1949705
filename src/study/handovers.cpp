#include "study/handovers.h"

TPStudyHandOvers &PStudyHandOvers()
{
    static TPStudyHandOvers handOvers;
    return handOvers;
}
