#include "text/AsciiRuns.h"

namespace markroll::ascii {

std::size_t runEnd(std::string_view bytes, std::size_t at)
{
    const auto* const data = reinterpret_cast<const unsigned char*>(bytes.data());
    for (; at + SixteenBytes::size() <= bytes.size(); at += SixteenBytes::size()) {
        if (simd::any_of(SixteenBytes(data + at, simd::element_aligned) >= 0x80))
            break;
    }
    while (at < bytes.size() && static_cast<unsigned char>(bytes[at]) < 0x80)
        ++at;
    return at;
}

bool isAscii(std::string_view bytes) { return runEnd(bytes, 0) == bytes.size(); }

namespace {

const unsigned char* bytesAt(std::string_view bytes, std::size_t at)
{
    return reinterpret_cast<const unsigned char*>(bytes.data()) + at;
}

// Writes the eight units from `at` as eight bytes when all of them are ASCII.
bool copyEightAscii(std::u16string_view text, std::size_t at, char* into)
{
    if (at + EightUnits::size() > text.size())
        return false;
    const EightUnits units(text.data() + at, simd::element_aligned);
    if (simd::any_of(units >= 0x80))
        return false;
    simd::static_simd_cast<EightBytes>(units).copy_to(reinterpret_cast<unsigned char*>(into), simd::element_aligned);
    return true;
}

// The same of sixteen units, which the library narrows in fewer steps than
// two blocks of eight.
bool copySixteenAscii(std::u16string_view text, std::size_t at, char* into)
{
    using SixteenUnits = simd::fixed_size_simd<char16_t, 16>;
    if (at + SixteenUnits::size() > text.size())
        return false;
    const SixteenUnits units(text.data() + at, simd::element_aligned);
    if (simd::any_of(units >= 0x80))
        return false;
    simd::static_simd_cast<simd::fixed_size_simd<char, 16>>(units).copy_to(into, simd::element_aligned);
    return true;
}

// Writes the sixteen bytes from `at` as sixteen units when all of them are ASCII.
bool widenSixteenAscii(std::string_view bytes, std::size_t at, char16_t* into)
{
    if (at + SixteenBytes::size() > bytes.size())
        return false;
    if (simd::any_of(SixteenBytes(bytesAt(bytes, at), simd::element_aligned) >= 0x80))
        return false;
    for (std::size_t half = 0; half < SixteenBytes::size(); half += EightBytes::size()) {
        const EightBytes eight(bytesAt(bytes, at + half), simd::element_aligned);
        simd::static_simd_cast<EightUnits>(eight).copy_to(into + half, simd::element_aligned);
    }
    return true;
}

} // namespace

// The pointers move in locals: stored through the reference, each unit's
// write would make the compiler read them back.
std::size_t copyAsciiRun(std::u16string_view text, std::size_t at, char*& into)
{
    char* next = into;
    for (; copySixteenAscii(text, at, next); at += 2 * EightUnits::size())
        next += 2 * EightUnits::size();
    if (copyEightAscii(text, at, next)) {
        at += EightUnits::size();
        next += EightUnits::size();
    }
    for (; at < text.size() && text[at] < 0x80; ++at)
        *next++ = char(text[at]);
    into = next;
    return at;
}

std::size_t widenAsciiRun(std::string_view bytes, std::size_t at, char16_t*& into)
{
    char16_t* next = into;
    for (; widenSixteenAscii(bytes, at, next); at += SixteenBytes::size())
        next += SixteenBytes::size();
    for (; at < bytes.size() && *bytesAt(bytes, at) < 0x80; ++at)
        *next++ = char16_t(*bytesAt(bytes, at));
    into = next;
    return at;
}

} // namespace markroll::ascii
