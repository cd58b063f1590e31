#include "platform/text/Utf7.h"

#include "platform/posix/Iconv.h"
#include "platform/text/Unicode.h"

namespace markroll {

std::optional<std::u16string> decodeWellFormedUtf7(std::string_view bytes)
{
    if (bytes.empty())
        return std::u16string();
    // Opening a conversion costs far more than converting one URL, and a big
    // tree has a URL of this kind in many of its files.
    thread_local Iconv toUtf16("UTF-16LE", "UTF-7");
    const auto wide = toUtf16.convert(bytes);
    if (!wide)
        return std::nullopt;
    return unicode::decodeUtf16le(*wide);
}

} // namespace markroll
