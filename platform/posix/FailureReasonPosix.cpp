#include "platform/Failure.h"
#include "platform/posix/Iconv.h"

#include <cstring>
#include <optional>

#include <langinfo.h>
#include <locale.h>

namespace markroll {

namespace {

// The user's locale as the environment names it, made once; none when the
// system does not have it.
locale_t usersLocale()
{
    static const locale_t locale = newlocale(LC_MESSAGES_MASK | LC_CTYPE_MASK, "", locale_t(nullptr));
    return locale;
}

} // namespace

std::string osReason(int osError)
{
    const locale_t locale = usersLocale();
    if (!locale)
        return std::strerror(osError);
    const char* text = strerror_l(osError, locale);
    const std::string_view codeset = nl_langinfo_l(CODESET, locale);
    if (codeset == "UTF-8")
        return text;
    // The words come in the locale's own encoding; messages carry UTF-8.
    Iconv toUtf8("UTF-8", std::string(codeset).c_str());
    std::optional<std::string> converted = toUtf8.isValid() ? toUtf8.convert(text) : std::nullopt;
    return converted ? std::move(*converted) : std::strerror(osError);
}

std::string reasonFor(const std::error_code& error) { return osReason(error.value()); }

} // namespace markroll
