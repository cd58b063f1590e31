#pragma once

#include <cstddef>
#include <experimental/simd>
#include <string_view>

namespace markroll::ascii {

// Runs of ASCII, which most of a page and most shortcut files are, are tested
// several units at a time with the standard library's SIMD types, in widths
// one SSE2 register holds, so that their masks stay vectors (a fixed-size
// type's masks are bit sets, combined one bit at a time).
namespace simd = std::experimental;
template <typename Unit, int Count>
using Block = simd::simd<Unit, simd::simd_abi::deduce_t<Unit, Count>>;
using EightUnits = Block<char16_t, 8>;
using EightBytes = Block<unsigned char, 8>;
using SixteenBytes = Block<unsigned char, 16>;

// The end of the run of ASCII bytes that starts at `at`.
std::size_t runEnd(std::string_view bytes, std::size_t at);
bool isAscii(std::string_view bytes);
// Copies the run of ASCII units of `text` from `at` as bytes to `into`,
// moving it past them, and returns where the run ends.
std::size_t copyAsciiRun(std::u16string_view text, std::size_t at, char*& into);
// Widens the run of ASCII bytes of `bytes` from `at` to units at `into`,
// moving it past them, and returns where the run ends.
std::size_t widenAsciiRun(std::string_view bytes, std::size_t at, char16_t*& into);

} // namespace markroll::ascii
