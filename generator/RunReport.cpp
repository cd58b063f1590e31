#include "generator/RunReport.h"

#include "generator/Messages.h"
#include "platform/Failure.h"

namespace markroll {

void RunReport::failure(std::u16string_view text, const Failure& cause, std::u16string_view title)
{
    failuresTold_ = true;
    boxes_.showFailure(text, cause, title);
}

void RunReport::completion() { boxes_.show(messages::Completed, MessageStyle::Information); }

void RunReport::information(std::u16string_view text) { boxes_.show(text, MessageStyle::Information); }

void RunReport::lastResort() noexcept
{
    failuresTold_ = true;
    try {
        boxes_.show(messages::ErrorOccurred, MessageStyle::Exclamation);
    } catch (...) {
    }
}

} // namespace markroll
