#pragma once

#include "generator/PageEscaping.h"
#include "generator/PageFormat.h"

#include <string>
#include <string_view>

namespace markroll::test {

// The page's escaping and its link line as whole strings, for the tests and
// the fuzzers that check them.
inline std::u16string escapePageText(std::u16string_view text)
{
    std::u16string out;
    appendPageText(out, text);
    return out;
}

inline std::u16string escapeLinkTarget(std::u16string_view target)
{
    std::u16string out;
    appendLinkTarget(out, target);
    return out;
}

inline std::u16string linkLineOf(std::u16string_view target, std::u16string_view displayName)
{
    std::u16string line;
    page::linkLineInto(line, target, displayName);
    return line;
}

} // namespace markroll::test
