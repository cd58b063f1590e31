#include "platform/files/HostPath.h"

#include "platform/files/ExtendedPath.h"
#include "platform/windows/WideText.h"
#include "platform/windows/WindowsEntries.h"

namespace markroll {
namespace {

// The absolute path the OS gives a relative start ("X:", "\\", "."), or empty.
std::u16string fullPathOf(std::u16string_view start)
{
    const std::wstring text = toWide(start);
    return fromWide(textFromCall(
        [&](wchar_t* buffer, DWORD size) { return GetFullPathNameW(text.c_str(), size, buffer, nullptr); }));
}

} // namespace

char16_t hostSeparator() { return u'\\'; }

std::filesystem::path toFsPath(std::u16string_view path)
{
    return std::filesystem::path(toWide(path));
}

std::filesystem::path toOsPath(std::u16string_view path)
{
    const std::u16string_view start = relativeStartOf(path);
    const std::u16string base = path.empty() || start.empty() ? std::u16string() : fullPathOf(start);
    // What cannot be made absolute goes to the OS as it is, to fail there.
    if (path.empty() || (!start.empty() && base.empty()))
        return toFsPath(path);
    const std::u16string extended = extendedLengthPath(path, base);
    return std::filesystem::path(toWide(extended));
}

// Windows names are UTF-16 already.
std::u16string fromFsPath(const std::filesystem::path& path)
{
    return std::u16string(path.native().begin(), path.native().end());
}

// Windows takes "." and ".." off a path by its text, before any file system sees it.
std::u16string resolvedHostPath(std::u16string_view path)
{
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::absolute(toFsPath(path), error);
    return error ? std::u16string(path) : fromFsPath(resolved);
}

void fromHostName(HostNameView listed, std::u16string& name) { name.assign(listed); }

bool isReadableAsIs(std::u16string_view) { return true; }

std::u16string readableHostText(std::u16string_view text) { return std::u16string(text); }

} // namespace markroll
