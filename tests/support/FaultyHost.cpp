#include "tests/support/FaultyHost.h"

#include "platform/Failure.h"

namespace markroll::test {
namespace {

template <typename Hook, typename... Args>
void call(const Hook& hook, Args&&... args)
{
    if (hook)
        hook(std::forward<Args>(args)...);
}

class HookedPage : public PageFile {
public:
    HookedPage(FaultyHost& owner, std::unique_ptr<PageFile> inner) : owner_(owner), inner_(std::move(inner)) {}
    void writeLine(std::u16string_view text) override
    {
        call(owner_.beforeWriteLine, text);
        inner_->writeLine(text);
    }
    void close() override { inner_->close(); }

private:
    FaultyHost& owner_;
    std::unique_ptr<PageFile> inner_;
};

} // namespace

SubfolderList FaultyHost::listSubfolders(std::u16string_view folder)
{
    call(beforeListSubfolders, folder);
    return local_.listSubfolders(folder);
}

ListedEntry FaultyHost::listShortcuts(std::u16string_view folder, std::u16string_view mask)
{
    call(beforeListShortcuts, folder);
    return local_.listShortcuts(folder, mask);
}

void FaultyHost::nextShortcut(ListedEntry& entry)
{
    call(beforeNextShortcut);
    local_.nextShortcut(entry);
}

const std::u16string& FaultyHost::readShortcutUrl(const ListedEntry& entry, std::u16string_view shownPath)
{
    call(beforeReadShortcut, shownPath);
    return local_.readShortcutUrl(entry, shownPath);
}

std::unique_ptr<PageFile> FaultyHost::createPage(std::u16string_view path)
{
    call(beforeCreatePage, path);
    return std::make_unique<HookedPage>(*this, local_.createPage(path));
}

std::string GeneratorHarness::run(std::u16string_view favorites, std::u16string_view output)
{
    paths.favorites = favorites;
    paths.output = output;
    outcome = generator.run();
    return readBytes(pageFile(output));
}

std::function<void()> failWith(std::errc error)
{
    return [error] { throw systemFailure(error); };
}

} // namespace markroll::test
