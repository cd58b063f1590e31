#include "platform/files/WriteSignals.h"

namespace markroll {

// Windows ends no process for a failed write.
void failWritesInsteadOfSignals() {}

} // namespace markroll
