#include "tools/selfreviewseams.h"

#include "core/grouptransfer.h"

std::function<bool(QTreeWidget *)> PSelfReviewMoveCheckedToTempTable = PMoveCheckedToTempTable;
