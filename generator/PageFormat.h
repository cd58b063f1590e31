#pragma once

#include <string>
#include <string_view>

namespace markroll::page {

// The link page's file name and every line it is made of. Folder paths and
// names come as a person reads them (the host's readableText) and are
// escaped here, so the lines are safe to write as they come.
inline constexpr std::u16string_view FileName = u"ALL_Favorites_Link.htm";

std::u16string_view headBlock();
std::u16string_view styleBlock();
std::u16string sectionOpeningLine(std::u16string_view folderPath);
// Into `line`, whose room is kept from link to link.
void linkLineInto(std::u16string& line, std::u16string_view target, std::u16string_view displayName);
std::u16string noticeLine(std::u16string_view displayName);
std::u16string_view sectionClosingLine();
std::u16string_view footLine();

// A shortcut's file name without its last four characters (the ".url"), cut by
// count; an unreadable shortcut (a notice) for a name shorter than that.
std::u16string_view displayName(std::u16string_view fileName);

} // namespace markroll::page
