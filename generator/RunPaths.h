#pragma once

#include <string>

namespace markroll {

// The two paths the user gave, exactly as typed: the Favorites folder and
// the output folder.
struct RunPaths {
    std::u16string favorites;
    std::u16string output;
};

} // namespace markroll
