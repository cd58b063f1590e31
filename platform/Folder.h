#pragma once

#include "Failure.h"

#include <string>
#include <vector>

namespace markroll {

// What a folder's listing gave: its direct sub-folders in the listing order,
// and the entries that could not be told to be folders or not (a type or a
// link target the OS would not tell), each left out with its failure, in name
// order. One bad entry never hides the folder's others.
struct SubfolderList {
    std::vector<std::u16string> names;
    std::vector<Failure> entryFailures;
};

// One folder of the file services.
class Folder {
public:
    virtual ~Folder() = default;
    // Raises only when the folder itself cannot be listed.
    virtual SubfolderList subfolders() = 0;
};

} // namespace markroll
