#pragma once

#include "platform/Failure.h"

#include <string>
#include <string_view>

namespace markroll {

// The icon a message box shows; every box has one OK button.
enum class MessageStyle { Plain, Exclamation, Information };

inline constexpr std::u16string_view ApplicationTitle = u"Markroll";

// A modal message box: returns only when the user has closed it. An empty
// title shows the application title.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void show(std::u16string_view text, MessageStyle style, std::u16string_view title = {}) = 0;
    // An exclamation box telling of a failure; a box that can say what
    // failed (a console line) adds `cause`.
    virtual void showFailure(std::u16string_view text, const Failure& cause, std::u16string_view title = {})
    {
        static_cast<void>(cause);
        show(text, MessageStyle::Exclamation, title);
    }

    static std::u16string_view effectiveTitle(std::u16string_view title)
    {
        return title.empty() ? ApplicationTitle : title;
    }
};

} // namespace markroll
