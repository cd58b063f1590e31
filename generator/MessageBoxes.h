#pragma once

#include <string>
#include <string_view>

namespace markroll {

// Style values of a message box: the icon it shows; every box has one OK button.
enum class MessageStyle : int {
    Plain = 0,
    Exclamation = 48,
    Information = 64,
};

inline constexpr std::u16string_view ApplicationTitle = u"Markroll";

// A modal message box: returns only when the user has closed it. An empty
// title shows the application title.
class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual void show(std::u16string_view text, MessageStyle style, std::u16string_view title = {}) = 0;

    static std::u16string_view effectiveTitle(std::u16string_view title)
    {
        return title.empty() ? ApplicationTitle : title;
    }
};

} // namespace markroll
