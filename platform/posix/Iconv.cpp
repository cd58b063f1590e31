
#include "platform/posix/Iconv.h"

namespace markroll {

Iconv::Iconv(const char* to, const char* from) : descriptor_(iconv_open(to, from)) {}

Iconv::~Iconv()
{
    if (isValid())
        iconv_close(descriptor_);
}

std::optional<std::string> Iconv::convert(std::string_view input)
{
    if (!isValid())
        return std::nullopt;
    iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
    std::string output(input.size() * 4 + 16, '\0');
    char* in = const_cast<char*>(input.data());
    size_t inLeft = input.size();
    char* out = output.data();
    size_t outLeft = output.size();
    if (iconv(descriptor_, &in, &inLeft, &out, &outLeft) == size_t(-1))
        return std::nullopt;
    if (iconv(descriptor_, nullptr, nullptr, &out, &outLeft) == size_t(-1))
        return std::nullopt;
    output.resize(size_t(out - output.data()));
    return output;
}

} // namespace markroll

