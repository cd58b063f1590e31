#include "window/WindowCommands.h"

#include "generator/InputCheck.h"
#include "generator/Messages.h"
#include "platform/Failure.h"
#include "platform/Host.h"
#include "window/WindowMessages.h"

namespace markroll {

WindowCommands::WindowCommands(WindowServices services, WindowControls& controls)
    : services_(services), controls_(controls), run_({services.boxes, services.host})
{
}

namespace {

// A click never ends the program: whatever escapes its command is told as the
// one failure message, if even that can be shown.
template <typename Command>
void clickHandled(MessageBoxes& boxes, Command command) noexcept
{
    try {
        command();
    } catch (...) {
        try {
            boxes.show(messages::ErrorOccurred, MessageStyle::Exclamation);
        } catch (...) {
        }
    }
}

} // namespace

// Only the blank test trims; the run gets both texts exactly as typed.
void WindowCommands::generate()
{
    clickHandled(services_.boxes, [&] {
        if (isBlank(controls_.favoriteText()) || isBlank(controls_.outputText())) {
            services_.boxes.show(messages::BlankInput, MessageStyle::Exclamation);
            return;
        }
        controls_.setBusyPointer(true);
        run_.run({controls_.favoriteText(), controls_.outputText()});
    });
    try {
        controls_.setBusyPointer(false);
    } catch (...) {
    }
}

void WindowCommands::browseForFavorites()
{
    clickHandled(services_.boxes, [&] {
        const std::u16string path = chosenFolder();
        if (!path.empty())
            controls_.setFavoriteText(path);
    });
}

void WindowCommands::browseForOutput()
{
    clickHandled(services_.boxes, [&] {
        const std::u16string path = chosenFolder();
        if (!path.empty())
            controls_.setOutputText(path);
    });
}

std::u16string WindowCommands::chosenFolder()
{
    try {
        const auto chosen = services_.picker.browseForFolder(controls_.handle(), messages::PickerTitle);
        if (!chosen)
            return {};
        // Only a folder on a drive has a path made of the host's separators.
        if (chosen->find(services_.host.separator()) == std::u16string::npos) {
            services_.boxes.show(messages::PickFromDrive, MessageStyle::Information);
            return {};
        }
        return *chosen;
    } catch (...) {
        services_.boxes.show(messages::BrowseUnavailable, MessageStyle::Plain);
        return {};
    }
}

} // namespace markroll
