#include "platform/posix/DirectoryEntries.h"

#include "platform/Failure.h"

#include <cerrno>

namespace markroll {

void raiseListingFailure(std::u16string_view folderPath) { raiseSystemFailure(errno, folderPath); }

} // namespace markroll
