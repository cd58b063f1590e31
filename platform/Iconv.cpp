#ifndef _WIN32

#include "Iconv.h"

namespace markroll {

Iconv::Iconv(const char* to, const char* from) : descriptor_(iconv_open(to, from)) {}

Iconv::~Iconv()
{
    if (isValid())
        iconv_close(descriptor_);
}

std::optional<QByteArray> Iconv::convert(QByteArrayView input)
{
    if (!isValid())
        return std::nullopt;
    iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
    QByteArray output(input.size() * 4 + 16, Qt::Uninitialized);
    char* in = const_cast<char*>(input.data());
    size_t inLeft = size_t(input.size());
    char* out = output.data();
    size_t outLeft = size_t(output.size());
    if (iconv(descriptor_, &in, &inLeft, &out, &outLeft) == size_t(-1))
        return std::nullopt;
    if (iconv(descriptor_, nullptr, nullptr, &out, &outLeft) == size_t(-1))
        return std::nullopt;
    output.truncate(out - output.data());
    return output;
}

} // namespace markroll

#endif
