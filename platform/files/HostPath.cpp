#include "HostPath.h"

#include "Cp932.h"
#include "ExtendedPath.h"
#include "Unicode.h"

#ifdef _WIN32
#include "WindowsEntries.h"
#endif

namespace markroll {

char16_t hostSeparator()
{
#ifdef _WIN32
    return u'\\';
#else
    return u'/';
#endif
}

std::u16string joinPath(std::u16string_view parent, std::u16string_view child)
{
    std::u16string joined;
    joined.reserve(parent.size() + 1 + child.size());
    joined.append(parent);
    joined.push_back(hostSeparator());
    joined.append(child);
    return joined;
}

#ifdef _WIN32
namespace {

// The absolute path the OS gives a relative start ("X:", "\\", "."), or empty.
std::u16string fullPathOf(std::u16string_view start)
{
    const std::wstring text(start.begin(), start.end());
    const std::wstring full = textFromCall(
        [&](wchar_t* buffer, DWORD size) { return GetFullPathNameW(text.c_str(), size, buffer, nullptr); });
    return std::u16string(full.begin(), full.end());
}

} // namespace

std::filesystem::path toFsPath(std::u16string_view path)
{
    return std::filesystem::path(std::wstring(path.begin(), path.end()));
}

std::filesystem::path toOsPath(std::u16string_view path)
{
    const std::u16string_view start = relativeStartOf(path);
    const std::u16string base = path.empty() || start.empty() ? std::u16string() : fullPathOf(start);
    // What cannot be made absolute goes to the OS as it is, to fail there.
    if (path.empty() || (!start.empty() && base.empty()))
        return toFsPath(path);
    const std::u16string extended = extendedLengthPath(path, base);
    return std::filesystem::path(std::wstring(extended.begin(), extended.end()));
}
#else
std::filesystem::path toFsPath(std::u16string_view path)
{
    return std::filesystem::path(toHostBytes(path));
}

std::filesystem::path toOsPath(std::u16string_view path) { return toFsPath(path); }
#endif

std::u16string fromFsPath(const std::filesystem::path& path)
{
#ifdef _WIN32
    const std::wstring& wide = path.native();
    return std::u16string(wide.begin(), wide.end());
#else
    return fromHostBytes(path.native());
#endif
}

std::u16string fileNameOf(const std::filesystem::path& path) { return fromFsPath(path.filename()); }

std::u16string fromHostBytes(std::string_view bytes) { return unicode::decodeEscapedUtf8(bytes); }

std::string toHostBytes(std::u16string_view text) { return unicode::encodeEscapedUtf8(text); }

void toHostBytes(std::u16string_view text, std::string& bytes) { unicode::encodeEscapedUtf8(text, bytes); }

#ifdef _WIN32
HostName toHostName(std::u16string_view name) { return HostName(name); }

void fromHostName(HostNameView listed, std::u16string& name) { name.assign(listed); }
#else
HostName toHostName(std::u16string_view name) { return toHostBytes(name); }

void fromHostName(HostNameView listed, std::u16string& name) { unicode::decodeEscapedUtf8(listed, name); }
#endif

bool isReadableAsIs([[maybe_unused]] std::u16string_view text)
{
#ifdef _WIN32
    return true;
#else
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (unicode::escapedByte(text, at))
            return false;
    }
    return true;
#endif
}

#ifndef _WIN32
namespace {

std::u16string readablePart(std::u16string_view part)
{
    if (isReadableAsIs(part))
        return std::u16string(part);
    const std::string bytes = toHostBytes(part);
    if (auto shiftJis = cp932::decodeStrict(bytes))
        return std::move(*shiftJis);
    return unicode::decodeUtf8(bytes);
}

} // namespace
#endif

std::u16string readableHostText(std::u16string_view text)
{
#ifdef _WIN32
    return std::u16string(text);
#else
    std::u16string readable;
    readable.reserve(text.size());
    std::size_t start = 0;
    for (std::size_t at = text.find(hostSeparator()); at != std::u16string_view::npos;
         at = text.find(hostSeparator(), start)) {
        readable += readablePart(text.substr(start, at - start));
        readable.push_back(hostSeparator());
        start = at + 1;
    }
    readable += readablePart(text.substr(start));
    return readable;
#endif
}

} // namespace markroll
