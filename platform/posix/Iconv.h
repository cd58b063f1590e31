#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <iconv.h>

namespace markroll {

// One iconv conversion descriptor, closed when it goes out of scope.
class Iconv {
public:
    Iconv(const char* to, const char* from);
    ~Iconv();
    Iconv(const Iconv&) = delete;
    Iconv& operator=(const Iconv&) = delete;

    bool isValid() const { return descriptor_ != reinterpret_cast<iconv_t>(-1); }
    // The whole input converted, or nothing when any of it cannot be.
    std::optional<std::string> convert(std::string_view input);

private:
    iconv_t descriptor_;
};

} // namespace markroll

