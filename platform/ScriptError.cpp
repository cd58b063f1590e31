#include "ScriptError.h"

#include <cerrno>

namespace markroll {

ScriptError::ScriptError(int number, const QString& detail)
    : std::runtime_error(QStringLiteral("error %1: %2").arg(number).arg(detail).toStdString()),
      number_(number)
{
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
        return PermissionDenied;
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
    case EISDIR:
        return PermissionDenied;
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

void raiseOsError(int osError, ErrorNumber missing, const QString& what)
{
    throw ScriptError(errorNumberForErrno(osError, missing), what);
}

} // namespace markroll
