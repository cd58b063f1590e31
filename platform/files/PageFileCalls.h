#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>

namespace markroll::pagefile {

// The system calls the page's file is written with, each system's own.

// A new file at `path`, never one that exists (a hidden one on Windows); -1
// with errno set when it cannot be made.
int openNew(const std::filesystem::path& path);
// What write() gives: the bytes written, or -1 with errno set.
long writeSome(int descriptor, const char* data, std::size_t size);
int closeDescriptor(int descriptor);
void truncateTo(int descriptor, std::uint64_t size);
int removeEntry(const std::filesystem::path& path);
// Without following a link at `path`.
bool isDirectory(const std::filesystem::path& path);

} // namespace markroll::pagefile
