#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace markroll {

// The one separator the host's paths use; joining is plain concatenation with it.
char16_t hostSeparator();
std::u16string joinPath(std::u16string_view parent, std::u16string_view child);

// Paths are UTF-16 text in the program and the host's own form at the OS:
// UTF-8 bytes on Linux, wide characters on Windows.
std::filesystem::path toFsPath(std::u16string_view path);
std::u16string fromFsPath(const std::filesystem::path& path);
std::u16string fileNameOf(const std::filesystem::path& path);

} // namespace markroll
