#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace markroll {
struct FileTimes;
}

namespace markroll::bookmarks {

// The lines of a Netscape bookmark file, the one format every browser
// imports and exports: the head, then nested lists, each folder an H3 before
// its list. `level` counts the lists around a line: the Favorites folder
// stands in the outermost. Names come as a person reads them (the host's
// readableText) and are escaped here; link targets are escaped as the page escapes them, so each
// bookmark leads where the page's link does.
std::u16string_view headBlock();
// The folder's heading and the start of its list: two lines in one. The
// toolbar's folder is marked as the browsers' own files mark theirs.
void folderOpeningInto(std::u16string& lines, std::size_t level, std::u16string_view name, const FileTimes& times,
                       bool isToolbar = false);
void linkLineInto(std::u16string& line, std::size_t level, std::u16string_view target, std::u16string_view name,
                  const FileTimes& times);
// When a file or folder was added: the earliest time the file system tells.
std::optional<std::int64_t> addedTime(const FileTimes& times);
// The end of the list opened at `level`; level 0 is the outermost list's.
std::u16string listClosingLine(std::size_t level);

// The name a folder is shown by: the last part of its path, between "/" or
// the host's `separator`, or the whole path when it has no last part (a
// drive, the root).
std::u16string_view folderNameOf(std::u16string_view path, char16_t separator);

} // namespace markroll::bookmarks
