#include "platform/files/ExtendedPath.h"

#include <vector>

namespace markroll {
namespace {

bool isSeparator(char16_t c) { return c == u'\\' || c == u'/'; }

bool isDriveLetter(char16_t c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }

bool hasDrive(std::u16string_view path) { return path.size() >= 2 && isDriveLetter(path[0]) && path[1] == u':'; }

bool isUnc(std::u16string_view path) { return path.size() >= 2 && isSeparator(path[0]) && isSeparator(path[1]); }

bool isDeviceForm(std::u16string_view path)
{
    return path.size() >= 4 && path[0] == u'\\' && path[1] == u'\\' && (path[2] == u'?' || path[2] == u'.') &&
           path[3] == u'\\';
}

std::vector<std::u16string_view> partsOf(std::u16string_view path)
{
    std::vector<std::u16string_view> parts;
    std::size_t start = 0;
    for (std::size_t at = 0; at <= path.size(); ++at) {
        if (at < path.size() && !isSeparator(path[at]))
            continue;
        const std::u16string_view part = path.substr(start, at - start);
        if (part == u"..") {
            if (!parts.empty())
                parts.pop_back();
        } else if (!part.empty() && part != u".") {
            parts.push_back(part);
        }
        start = at + 1;
    }
    return parts;
}

// The root in its extended form, and the rest of the path after it.
std::pair<std::u16string, std::u16string_view> splitRoot(std::u16string_view absolute)
{
    if (hasDrive(absolute))
        return {u"\\\\?\\" + std::u16string(absolute.substr(0, 2)), absolute.substr(2)};
    // "\\server\share": both parts belong to the root.
    std::u16string root = u"\\\\?\\UNC";
    std::u16string_view rest = absolute.substr(2);
    for (int part = 0; part < 2 && !rest.empty(); ++part) {
        std::size_t end = 0;
        while (end < rest.size() && !isSeparator(rest[end]))
            ++end;
        root += u'\\';
        root += rest.substr(0, end);
        rest = rest.substr(std::min(end + 1, rest.size()));
    }
    return {std::move(root), rest};
}

std::u16string absoluteOf(std::u16string_view path, std::u16string_view base)
{
    const std::u16string_view start = relativeStartOf(path);
    if (start.empty())
        return std::u16string(path);
    std::u16string absolute(base);
    absolute += u'\\';
    absolute += path.substr(hasDrive(path) ? 2 : 0);
    return absolute;
}

} // namespace

std::u16string_view relativeStartOf(std::u16string_view path)
{
    if (isUnc(path))
        return {};
    if (hasDrive(path))
        return path.size() > 2 && isSeparator(path[2]) ? std::u16string_view() : path.substr(0, 2);
    if (!path.empty() && isSeparator(path[0]))
        return u"\\";
    return u".";
}

std::u16string extendedLengthPath(std::u16string_view path, std::u16string_view base)
{
    if (isDeviceForm(path))
        return std::u16string(path);
    const std::u16string absolute = absoluteOf(path, base);
    if (isDeviceForm(absolute))
        return absolute;
    auto [extended, rest] = splitRoot(absolute);
    const std::vector<std::u16string_view> parts = partsOf(rest);
    for (const std::u16string_view part : parts) {
        extended += u'\\';
        extended += part;
    }
    // A drive's root is "\\?\C:\"; "\\?\C:" would be the volume itself.
    if (parts.empty())
        extended += u'\\';
    return extended;
}

} // namespace markroll
