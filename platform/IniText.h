#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace markroll {

// INI-style text read the way Windows' profile functions read it: section and
// key names without regard to letter case, white space around names and values
// trimmed, a pair of double quotes around a value removed, ";" lines ignored,
// a section named from "[" to the last "]" of its line, and only the first
// section of a name and the first key within it counted.
class IniText {
public:
    explicit IniText(std::u16string_view text);
    std::optional<std::u16string> value(std::u16string_view section, std::u16string_view key) const;

private:
    struct Entry {
        std::u16string section;
        std::u16string key;
        std::u16string value;
    };
    std::vector<Entry> entries_;
};

} // namespace markroll
