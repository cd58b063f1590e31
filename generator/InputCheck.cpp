#include "generator/InputCheck.h"

#include "text/Unicode.h"

namespace markroll {

bool isBlank(std::u16string_view text) { return unicode::trimmed(text).empty(); }

} // namespace markroll
