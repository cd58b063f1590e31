#pragma once

#include <string>
#include <vector>

namespace markroll {

// One folder of the file services.
class Folder {
public:
    virtual ~Folder() = default;
    // The names of the direct sub-folders, in the listing order.
    virtual std::vector<std::u16string> subfolderNames() = 0;
};

} // namespace markroll
