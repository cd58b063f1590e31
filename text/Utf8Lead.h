#pragma once

#include <cstddef>

namespace markroll {

// What the first byte of a UTF-8 sequence says: how long the sequence is,
// and the range its second byte must lie in, which rules out overlong forms,
// encoded surrogates and code points past U+10FFFF (the WHATWG decoder's
// rule). Length 0 for a byte that starts no sequence (80 to C1, F5 to FF);
// 1 for ASCII.
struct Utf8Lead {
    std::size_t length;
    unsigned lower = 0x80;
    unsigned upper = 0xBF;
};

constexpr Utf8Lead utf8Lead(unsigned byte)
{
    if (byte < 0x80)
        return {1};
    if (byte >= 0xC2 && byte <= 0xDF)
        return {2};
    if (byte >= 0xE0 && byte <= 0xEF)
        return {3, byte == 0xE0 ? 0xA0u : 0x80u, byte == 0xED ? 0x9Fu : 0xBFu};
    if (byte >= 0xF0 && byte <= 0xF4)
        return {4, byte == 0xF0 ? 0x90u : 0x80u, byte == 0xF4 ? 0x8Fu : 0xBFu};
    return {0};
}

// Whether `byte` may stand at place `k` (1 to 3) of the sequence `lead` starts.
constexpr bool continues(const Utf8Lead& lead, std::size_t k, unsigned byte)
{
    return byte >= (k == 1 ? lead.lower : 0x80u) && byte <= (k == 1 ? lead.upper : 0xBFu);
}

} // namespace markroll
