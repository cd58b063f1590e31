#include "HostPath.h"

#include "Unicode.h"

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

std::filesystem::path toFsPath(std::u16string_view path)
{
#ifdef _WIN32
    return std::filesystem::path(std::wstring(path.begin(), path.end()));
#else
    return std::filesystem::path(unicode::encodeUtf8(path));
#endif
}

std::u16string fromFsPath(const std::filesystem::path& path)
{
#ifdef _WIN32
    const std::wstring& wide = path.native();
    return std::u16string(wide.begin(), wide.end());
#else
    return unicode::decodeUtf8(path.native());
#endif
}

std::u16string fileNameOf(const std::filesystem::path& path) { return fromFsPath(path.filename()); }

} // namespace markroll
