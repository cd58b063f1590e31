#include "tests/support/FaultyHost.h"

#include "platform/Failure.h"
#include "text/Cp932.h"
#include "text/Unicode.h"

namespace markroll::test {
namespace {

template <typename Hook, typename... Args>
void call(const Hook& hook, Args&&... args)
{
    if (hook)
        hook(std::forward<Args>(args)...);
}

// A file whose every write passes `hook` first, as the text of its line:
// the page's in code page 932 and the bookmark file's in UTF-8, the line end
// left off.
class HookedFile : public OutputFile {
public:
    using Hook = std::function<void(std::u16string_view line)>;
    HookedFile(const Hook& hook, OutputFileKind kind, std::unique_ptr<OutputFile> inner)
        : hook_(hook), kind_(kind), inner_(std::move(inner))
    {
    }
    void write(std::string_view bytes) override
    {
        const bool page = kind_ == OutputFileKind::Page;
        const std::string_view line = bytes.substr(0, bytes.size() - (page ? 2 : 1));
        call(hook_, page ? cp932::decode(line) : unicode::decodeUtf8(line));
        inner_->write(bytes);
    }
    void commit() override { inner_->commit(); }

private:
    const Hook& hook_;
    OutputFileKind kind_;
    std::unique_ptr<OutputFile> inner_;
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

std::unique_ptr<OutputFile> FaultyHost::createOutputFile(std::u16string_view path, OutputFileKind kind)
{
    const bool page = kind == OutputFileKind::Page;
    call(page ? beforeCreatePage : beforeCreateBookmarkFile, path);
    return std::make_unique<HookedFile>(page ? beforeWriteLine : beforeWriteBookmarkLine, kind,
                                        local_.createOutputFile(path, kind));
}

std::string GeneratorHarness::run(std::u16string_view favorites, std::u16string_view output)
{
    paths.favorites = favorites;
    paths.output = output;
    outcome = generator.run(paths);
    return readBytes(pageFile(output));
}

std::function<void()> failWith(std::errc error)
{
    return [error] { throw systemFailure(error); };
}

} // namespace markroll::test
