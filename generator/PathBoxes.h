#pragma once

#include <string>

namespace markroll {

// The two path texts the user gave, exactly as typed: the Favorites folder and
// the output folder.
class PathBoxes {
public:
    virtual ~PathBoxes() = default;
    virtual std::u16string favoriteText() const = 0;
    virtual std::u16string outputText() const = 0;
};

} // namespace markroll
