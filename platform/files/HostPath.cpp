#include "platform/files/HostPath.h"

#include "text/Unicode.h"

namespace markroll {

std::u16string joinPath(std::u16string_view parent, std::u16string_view child)
{
    std::u16string joined;
    joined.reserve(parent.size() + 1 + child.size());
    joined.append(parent);
    joined.push_back(hostSeparator());
    joined.append(child);
    return joined;
}

std::u16string fromHostBytes(std::string_view bytes) { return unicode::decodeEscapedUtf8(bytes); }

std::string toHostBytes(std::u16string_view text) { return unicode::encodeEscapedUtf8(text); }

void toHostBytes(std::u16string_view text, std::string& bytes) { unicode::encodeEscapedUtf8(text, bytes); }

} // namespace markroll
