#include "platform/files/WarmFiles.h"

namespace markroll {

// The shortcut reader asks Windows for sequential reads, and no helper has
// been measured to help there: none starts.
bool roomForWarmingHelpers() { return false; }

void nameWarmingHelper() noexcept {}

void warmFile(const ListedFolder&, const HostName&) noexcept {}

} // namespace markroll
