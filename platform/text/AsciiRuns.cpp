#include "platform/text/AsciiRuns.h"

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

// Writes the eight units from `at` as eight bytes when all of them are ASCII.
bool copyEightAscii(std::u16string_view text, std::size_t at, char* into)
{
    if (at + EightUnits::size() > text.size())
        return false;
    const EightUnits units(text.data() + at, simd::element_aligned);
    if (simd::any_of(units >= 0x80))
        return false;
    simd::static_simd_cast<EightBytes>(units).copy_to(into, simd::element_aligned);
    return true;
}

// Writes the sixteen bytes from `at` as sixteen units when all of them are ASCII.
bool widenSixteenAscii(std::string_view bytes, std::size_t at, char16_t* into)
{
    if (at + SixteenBytes::size() > bytes.size())
        return false;
    const SixteenBytes block(reinterpret_cast<const unsigned char*>(bytes.data()) + at, simd::element_aligned);
    if (simd::any_of(block >= 0x80))
        return false;
    simd::static_simd_cast<SixteenUnits>(block).copy_to(into, simd::element_aligned);
    return true;
}

} // namespace

std::size_t copyAsciiRun(std::u16string_view text, std::size_t at, char*& into)
{
    for (; copyEightAscii(text, at, into); at += EightUnits::size())
        into += EightUnits::size();
    for (; at < text.size() && text[at] < 0x80; ++at)
        *into++ = char(text[at]);
    return at;
}

std::size_t widenAsciiRun(std::string_view bytes, std::size_t at, char16_t*& into)
{
    for (; widenSixteenAscii(bytes, at, into); at += SixteenBytes::size())
        into += SixteenBytes::size();
    for (; at < bytes.size() && static_cast<unsigned char>(bytes[at]) < 0x80; ++at)
        *into++ = char16_t(static_cast<unsigned char>(bytes[at]));
    return at;
}

} // namespace markroll::ascii
