#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace markroll::fuzz {

// Each check feeds one input to a part of the program and returns what went
// wrong, or the empty string. The fuzzers abort on a finding; the corpus tests
// report it.

// Bytes as a shortcut file: the reader gives a non-empty target or an unreadable shortcut,
// and nothing else.
std::string checkShortcutReader(const std::uint8_t* data, std::size_t size);

// Bytes as UTF-16 text put into every kind of page line: each line is valid
// code page 932, decodes back to itself, and holds no "<", '"' or "&" that the
// escaping did not write.
std::string checkPageEscaping(const std::uint8_t* data, std::size_t size);

// Bytes as a small Favorites tree (folders, shortcuts of every shape, links,
// named pipes, names of raw bytes) and one whole run over it, checked against
// plain OS calls: every visible ordinary *.url file gives a line, nothing from
// outside the tree appears, and the page ends with its foot line unless a
// failure was reported.
std::string checkWholeRun(const std::uint8_t* data, std::size_t size);

} // namespace markroll::fuzz
