#include "services/handovers.h"

TPHandOvers &PHandOvers()
{
    static TPHandOvers handOvers;
    return handOvers;
}
