#pragma once

#include <string>

namespace markroll {

// One shortcut file, read.
class Shortcut {
public:
    virtual ~Shortcut() = default;
    // The URL the shortcut points to; error 5 when it has none.
    virtual const std::u16string& targetPath() = 0;
};

} // namespace markroll
