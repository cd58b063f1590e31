#include "platform/files/HostPath.h"

#include "text/Cp932.h"
#include "text/Unicode.h"

namespace markroll {
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

char16_t hostSeparator() { return u'/'; }

std::filesystem::path toFsPath(std::u16string_view path) { return std::filesystem::path(toHostBytes(path)); }

std::filesystem::path toOsPath(std::u16string_view path) { return toFsPath(path); }

std::u16string fromFsPath(const std::filesystem::path& path) { return fromHostBytes(path.native()); }

std::u16string resolvedHostPath(std::u16string_view path)
{
    std::error_code error;
    const std::filesystem::path resolved = std::filesystem::canonical(toOsPath(path), error);
    return error ? std::u16string(path) : fromFsPath(resolved);
}

void fromHostName(HostNameView listed, std::u16string& name) { unicode::decodeEscapedUtf8(listed, name); }

bool isReadableAsIs(std::u16string_view text)
{
    for (std::size_t at = 0; at < text.size(); ++at) {
        if (unicode::escapedByte(text, at))
            return false;
    }
    return true;
}

std::u16string readableHostText(std::u16string_view text)
{
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
}

} // namespace markroll
