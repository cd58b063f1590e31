#pragma once

namespace markroll {

// Whether `count` more descriptors can be opened now, below the process's
// limit on open files: told by taking them, and given back at once. What a
// parent left open counts as taken, whatever the limit.
bool descriptorsFree(int count);

} // namespace markroll
