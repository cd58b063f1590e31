#pragma once

#include "platform/files/HostPath.h"

namespace markroll {

class ListedFolder;

// What the cold-cache helpers ask of the system: each system's own.

// Whether reading ahead helps here at all, and there is room for helpers now.
bool roomForWarmingHelpers();
// Names the calling helper thread, so a look at the process tells it apart.
void nameWarmingHelper() noexcept;
// Asks the OS to bring the file `listed` of `folder` into its cache. A name
// that cannot be opened is skipped: the generator's own read tells of it.
void warmFile(const ListedFolder& folder, const HostName& listed) noexcept;

} // namespace markroll
