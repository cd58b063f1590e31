#pragma once

#include <QString>

namespace markroll {

// The two path texts the user gave, exactly as typed: the Favorites folder and
// the output folder.
class PathBoxes {
public:
    virtual ~PathBoxes() = default;
    virtual QString favoriteText() const = 0;
    virtual QString outputText() const = 0;
};

} // namespace markroll
