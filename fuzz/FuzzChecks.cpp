#include "fuzz/FuzzChecks.h"

#include "generator/PageEscaping.h"
#include "generator/PageFormat.h"
#include "platform/Failure.h"
#include "shortcut/InternetShortcut.h"
#include "text/Cp932.h"
#include "tests/support/WholeStrings.h"
#include "text/Unicode.h"

#include <algorithm>
#include <string_view>


namespace markroll::fuzz {

using test::escapePageText;
using test::escapeLinkTarget;
using test::linkLineOf;

namespace {

// "&" followed by the rest of a reference the escaping writes: a named one or
// a decimal one.
bool startsWithReference(std::u16string_view text)
{
    for (const std::u16string_view named : {u"&amp;", u"&lt;", u"&gt;", u"&quot;"}) {
        if (text.starts_with(named))
            return true;
    }
    if (!text.starts_with(u"&#"))
        return false;
    std::size_t digits = 2;
    while (digits < text.size() && text[digits] >= u'0' && text[digits] <= u'9')
        ++digits;
    return digits > 2 && digits < text.size() && text[digits] == u';';
}

bool ampersandsAreReferences(std::u16string_view text)
{
    for (std::size_t at = text.find(u'&'); at != std::u16string_view::npos; at = text.find(u'&', at + 1)) {
        if (!startsWithReference(text.substr(at)))
            return false;
    }
    return true;
}

std::string checkEscaped(const char* what, std::u16string_view escaped)
{
    if (escaped.find_first_of(u"<\">") != std::u16string_view::npos)
        return std::string(what) + " kept a markup sign";
    if (!ampersandsAreReferences(escaped))
        return std::string(what) + " has a bare &";
    return {};
}

std::string checkLine(const char* what, std::u16string_view line)
{
    std::string bytes;
    if (!cp932::encodeAppend(line, bytes))
        return std::string(what) + " is not writable in code page 932";
    if (cp932::decode(bytes) != line)
        return std::string(what) + " does not decode back to itself";
    return {};
}

} // namespace

std::string checkShortcutReader(const std::uint8_t* data, std::size_t size)
{
    const auto target = internetShortcutTarget(std::string_view(reinterpret_cast<const char*>(data), size));
    if (target && target->empty())
        return "the parser gave an empty target";
    return {};
}

std::string checkPageEscaping(const std::uint8_t* data, std::size_t size)
{
    const std::u16string text = unicode::decodeUtf16le(std::string_view(reinterpret_cast<const char*>(data), size & ~std::size_t(1)));
    const std::u16string name = escapePageText(text);
    const std::u16string target = escapeLinkTarget(text);
    if (std::any_of(target.begin(), target.end(), [](char16_t unit) { return unit >= 0x80; }))
        return "a target kept a non-ASCII character";
    for (const std::string& finding : {checkEscaped("escaped text", name), checkEscaped("escaped target", target),
                                       checkLine("a link line", linkLineOf(text, text)),
                                       checkLine("a section opening line", page::sectionOpeningLine(text)),
                                       checkLine("a notice line", page::noticeLine(text))}) {
        if (!finding.empty())
            return finding;
    }
    return {};
}

} // namespace markroll::fuzz
