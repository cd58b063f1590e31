#pragma once

#include <string_view>

namespace markroll {

// What a listed entry is, as the walk and the shortcut listing tell entries
// apart. A link counts as what it leads to; one that leads nowhere, in a
// circle or where we may not look is Other, and so is an entry gone since it
// was listed.
enum class EntryKind { Folder, LinkToFolder, File, Other };

// `listedType` is the type the listing gave (DT_UNKNOWN where the file system
// gives none); the entry is looked at only when that does not tell. Any other
// failure to tell is raised, naming the entry within `folderPath`.
EntryKind entryKind(int folder, const char* name, unsigned char listedType, std::u16string_view folderPath);

} // namespace markroll
