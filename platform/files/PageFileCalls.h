#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace markroll::pagefile {

// The system calls the page's file and the bookmark file are written with,
// each system's own. Descriptors are -1, with errno set, when the call fails.

// A new file at `path`, never one that exists (a hidden one on Windows).
int openNew(const std::filesystem::path& path);
// Our own file at `path` again, to write at its end.
int openToAppend(const std::filesystem::path& path);
// What `shownPath` names, when it is a device or a pipe (or a link to one),
// to be written through rather than replaced.
bool isDeviceOrPipe(std::u16string_view shownPath);
int openThrough(std::u16string_view shownPath);
int duplicateStandardOutput();
// The system's folder for temporary files: $TMPDIR or /tmp, GetTempPath on
// Windows; empty when the system will not tell.
std::filesystem::path temporaryFolder();
int openToRead(const std::filesystem::path& path);
// What pread() gives: the bytes read from `offset`, 0 at the end, or -1 with errno set.
long readSomeAt(int descriptor, char* data, std::size_t size, std::uint64_t offset);
// What write() gives: the bytes written, or -1 with errno set.
long writeSome(int descriptor, const char* data, std::size_t size);
int closeDescriptor(int descriptor);
void truncateTo(int descriptor, std::uint64_t size);
int removeEntry(const std::filesystem::path& path);
// Without following a link at `path`.
bool isDirectory(const std::filesystem::path& path);
// The new file `temporary` (open as `descriptor`) takes on what the ordinary
// file it replaces at `target` has: its mode, and its owner and group as far
// as we may set them; on Windows its attributes. A new file keeps the usual
// ones. Nothing is told: a file that cannot take them still replaces the old.
void takeOverMode(int descriptor, const std::filesystem::path& temporary, const std::filesystem::path& target);

} // namespace markroll::pagefile
