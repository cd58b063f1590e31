#pragma once

#include <string_view>

namespace markroll {

// A path text that holds nothing but white space, the ideographic space and
// tabs included, counts as not filled in. Only the check trims: the run gets
// the text as typed.
bool isBlank(std::u16string_view text);

} // namespace markroll
