#include "platform/Failure.h"

#include "text/Unicode.h"

#include <cerrno>
#include <new>

namespace markroll {

Failure::Failure(FailureKind kind, std::u16string_view object, std::string_view reason, std::error_code error)
    : std::runtime_error(std::string(reason)), kind_(kind), error_(error), object_(object), reason_(reason)
{
}

bool Failure::isNotice() const noexcept
{
    return kind_ == FailureKind::UnreadableShortcut;
}

std::u16string Failure::description() const
{
    const std::u16string reason = unicode::decodeUtf8(reason_);
    if (object_.empty() || reason.empty())
        return object_ + reason;
    return object_ + u": " + reason;
}

void raiseSystemFailure(int osError, std::u16string_view object)
{
    raiseSystemFailure(std::error_code(osError, std::generic_category()), object);
}

void raiseSystemFailure(const std::error_code& error, std::u16string_view object)
{
    if (error == std::errc::not_enough_memory)
        throw Failure(FailureKind::OutOfMemory, object, reasonFor(error), error);
    throw Failure(FailureKind::System, object, reasonFor(error), error);
}

Failure currentFailure()
{
    try {
        throw;
    } catch (const Failure& failure) {
        return failure;
    } catch (const std::bad_alloc&) {
        return Failure(FailureKind::OutOfMemory, {}, osReason(ENOMEM));
    } catch (const std::length_error& error) {
        // A size past what the library can hold: memory, by another name.
        return Failure(FailureKind::OutOfMemory, {}, error.what());
    } catch (const std::system_error& error) {
        return Failure(FailureKind::System, {}, error.what(), error.code());
    } catch (const std::exception& error) {
        return Failure(FailureKind::Unknown, {}, error.what());
    } catch (...) {
        return Failure(FailureKind::Unknown, {}, "an unknown failure");
    }
}

} // namespace markroll
