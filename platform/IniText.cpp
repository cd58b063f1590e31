#include "IniText.h"

#include "Unicode.h"
#include "UpperCase.h"

#include <algorithm>

namespace markroll {
namespace {

std::u16string_view unquoted(std::u16string_view value)
{
    if (value.size() >= 2 && value.front() == u'"' && value.back() == u'"')
        return value.substr(1, value.size() - 2);
    return value;
}

// A section header runs from "[" to the last "]" of its line; a line that
// starts with "[" but has no "]" is no header, as Windows reads it.
std::optional<std::u16string_view> sectionNameOf(std::u16string_view line)
{
    if (line.front() != u'[')
        return std::nullopt;
    const std::size_t close = line.rfind(u']');
    if (close == std::u16string_view::npos)
        return std::nullopt;
    return unicode::trimmed(line.substr(1, close - 1));
}

// Calls `handle` with each line of `text`; lines end with CR LF, LF or CR.
template <typename Handle>
void forEachLine(std::u16string_view text, Handle handle)
{
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = start;
        while (end < text.size() && text[end] != u'\r' && text[end] != u'\n')
            ++end;
        handle(text.substr(start, end - start));
        if (end + 1 < text.size() && text[end] == u'\r' && text[end + 1] == u'\n')
            ++end;
        start = end + 1;
    }
}

} // namespace

IniText::IniText(std::u16string_view text)
{
    std::vector<std::u16string> seenSections;
    std::u16string current;
    bool counting = false;
    forEachLine(text, [&](std::u16string_view rawLine) {
        const std::u16string_view line = unicode::trimmed(rawLine);
        if (line.empty() || line.front() == u';')
            return;
        if (const auto section = sectionNameOf(line)) {
            current = *section;
            counting = std::none_of(seenSections.cbegin(), seenSections.cend(),
                                    [&](const std::u16string& seen) { return equalsIgnoringCase(seen, current); });
            if (counting)
                seenSections.push_back(current);
            return;
        }
        const std::size_t equals = line.find(u'=');
        if (!counting || equals == std::u16string_view::npos)
            return;
        entries_.push_back({current, std::u16string(unicode::trimmed(line.substr(0, equals))),
                            std::u16string(unquoted(unicode::trimmed(line.substr(equals + 1))))});
    });
}

std::optional<std::u16string> IniText::value(std::u16string_view section, std::u16string_view key) const
{
    for (const Entry& entry : entries_) {
        if (equalsIgnoringCase(entry.section, section) && equalsIgnoringCase(entry.key, key))
            return entry.value;
    }
    return std::nullopt;
}

} // namespace markroll
