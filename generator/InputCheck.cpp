#include "InputCheck.h"

#include "Unicode.h"

namespace markroll {

bool isBlank(std::u16string_view text) { return unicode::trimmed(text).empty(); }

} // namespace markroll
