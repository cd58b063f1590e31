#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <system_error>

namespace markroll {

// One numbering for every failure, the same numbers Windows' script runtime uses,
// so that handlers can tell "invalid call" (5) apart from everything else.
enum ErrorNumber : int {
    InvalidCall = 5,
    SubscriptOutOfRange = 9,
    BadFileName = 52,
    FileNotFound = 53,
    DeviceIoError = 57,
    FileAlreadyExists = 58,
    DiskFull = 61,
    PermissionDenied = 70,
    PathNotFound = 76,
};

// A failure with its number, the object it concerns (a path, when there is
// one) and the reason, as the OS or the program words it.
class ScriptError : public std::runtime_error {
public:
    explicit ScriptError(int number, std::string_view reason = {});
    ScriptError(int number, std::u16string_view object, std::string_view reason = {});
    int number() const noexcept { return number_; }
    const std::u16string& object() const noexcept { return object_; }
    const std::string& reason() const noexcept { return reason_; }
    // "object: reason", or whichever of the two there is.
    std::u16string description() const;

private:
    int number_;
    std::u16string object_;
    std::string reason_;
};

// The OS's own words for an errno value.
std::string osReason(int osError);

// Maps an OS failure to our numbering; `missing` is what "no such entry" means
// for the caller (a folder that is not there is 76, a file 53).
int errorNumberForErrno(int osError, ErrorNumber missing);
int errorNumberFor(const std::error_code& error, ErrorNumber missing);

[[noreturn]] void raiseOsError(int osError, ErrorNumber missing, std::u16string_view what);

} // namespace markroll
