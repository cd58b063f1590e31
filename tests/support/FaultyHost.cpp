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

// A file whose every line passes `hook` first.
template <typename File>
class HookedFile : public File {
public:
    using Hook = std::function<void(std::u16string_view line)>;
    HookedFile(const Hook& hook, std::unique_ptr<File> inner) : hook_(hook), inner_(std::move(inner)) {}
    void writeLine(std::u16string_view text) override
    {
        call(hook_, text);
        inner_->writeLine(text);
    }
    void close() override { inner_->close(); }

private:
    const Hook& hook_;
    std::unique_ptr<File> inner_;
};

} // namespace

SubfolderList FaultyHost::listSubfolders(std::u16string_view folder)
{
    call(beforeListSubfolders, folder);
    return local_.listSubfolders(folder);
}

ListedEntry FaultyHost::listShortcuts(std::u16string_view folder)
{
    call(beforeListShortcuts, folder);
    return local_.listShortcuts(folder);
}

void FaultyHost::nextShortcut(ListedEntry& entry)
{
    call(beforeNextShortcut);
    local_.nextShortcut(entry);
}

std::string_view FaultyHost::readListedFile(const ListedEntry& entry, std::size_t limit, std::u16string_view shownPath)
{
    call(beforeReadShortcut, shownPath);
    return local_.readListedFile(entry, limit, shownPath);
}

std::unique_ptr<OutputFile> FaultyHost::createPage(std::u16string_view path)
{
    call(beforeCreatePage, path);
    return std::make_unique<HookedFile<OutputFile>>(beforeWriteLine, local_.createPage(path));
}

std::unique_ptr<OutputFile> FaultyHost::createBookmarkFile(std::u16string_view path)
{
    call(beforeCreateBookmarkFile, path);
    return std::make_unique<HookedFile<OutputFile>>(beforeWriteBookmarkLine, local_.createBookmarkFile(path));
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
