#include "ScriptError.h"

#include "Unicode.h"

#include <cerrno>
#include <new>

namespace markroll {

ScriptError::ScriptError(int number, std::string_view reason) : ScriptError(number, std::u16string_view(), reason) {}

ScriptError::ScriptError(int number, std::u16string_view object, std::string_view reason)
    : std::runtime_error("error " + std::to_string(number)), number_(number), object_(object), reason_(reason)
{
}

std::u16string ScriptError::description() const
{
    const std::u16string reason = unicode::decodeUtf8(reason_);
    if (object_.empty() || reason.empty())
        return object_ + reason;
    return object_ + u": " + reason;
}

int errorNumberForErrno(int osError, ErrorNumber missing)
{
    switch (osError) {
    case ENOENT:
        return missing;
    case ENOTDIR:
        return PathNotFound;
    case EACCES:
    case EPERM:
    case EROFS:
    case ETXTBSY:
    case EISDIR:
        return PermissionDenied;
    case ENOMEM:
        return OutOfMemory;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG:
        return DiskFull;
    case ENAMETOOLONG:
    case EINVAL:
    case EILSEQ:
#ifdef ELOOP
    case ELOOP:
#endif
        return BadFileName;
    case EEXIST:
        return FileAlreadyExists;
    default:
        return DeviceIoError;
    }
}

int errorNumberFor(const std::error_code& error, ErrorNumber missing)
{
    if (error.category() == std::generic_category() || error.category() == std::system_category())
        return errorNumberForErrno(error.default_error_condition().value(), missing);
    return DeviceIoError;
}

ScriptError currentFailure()
{
    try {
        throw;
    } catch (const ScriptError& error) {
        return error;
    } catch (const std::bad_alloc&) {
        return ScriptError(OutOfMemory, osReason(ENOMEM));
    } catch (const std::length_error&) {
        return ScriptError(OutOfMemory, osReason(ENOMEM));
    } catch (const std::system_error& error) {
        return ScriptError(errorNumberFor(error.code(), PathNotFound), error.what());
    } catch (const std::exception& error) {
        return ScriptError(DeviceIoError, error.what());
    } catch (...) {
        return ScriptError(DeviceIoError, "an unknown failure");
    }
}

void raiseOsError(int osError, ErrorNumber missing, std::u16string_view what)
{
    throw ScriptError(errorNumberForErrno(osError, missing), what, osReason(osError));
}

void raiseOsError(const std::error_code& error, ErrorNumber missing, std::u16string_view what)
{
    throw ScriptError(errorNumberFor(error, missing), what, reasonFor(error));
}

} // namespace markroll
