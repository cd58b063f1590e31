#include "FaultyPlatform.h"

#include "Failure.h"

namespace markroll::test {
namespace {

template <typename Hook, typename... Args>
void call(const Hook& hook, Args&&... args)
{
    if (hook)
        hook(std::forward<Args>(args)...);
}

class HookedStream : public TextStream {
public:
    HookedStream(FaultyPlatform& owner, std::unique_ptr<TextStream> inner) : owner_(owner), inner_(std::move(inner)) {}
    void writeLine(std::u16string_view text) override
    {
        call(owner_.beforeWriteLine, text);
        inner_->writeLine(text);
    }
    void flush() override { inner_->flush(); }
    void close() override { inner_->close(); }

private:
    FaultyPlatform& owner_;
    std::unique_ptr<TextStream> inner_;
};

class HookedFileSystem : public FileSystemObject {
public:
    HookedFileSystem(FaultyPlatform& owner, std::unique_ptr<FileSystemObject> inner)
        : owner_(owner), inner_(std::move(inner))
    {
    }
    std::unique_ptr<Folder> getFolder(std::u16string_view path) override
    {
        call(owner_.beforeGetFolder, path);
        return inner_->getFolder(path);
    }
    std::unique_ptr<TextStream> createTextFile(std::u16string_view path) override
    {
        call(owner_.beforeCreateTextFile, path);
        return std::make_unique<HookedStream>(owner_, inner_->createTextFile(path));
    }

private:
    FaultyPlatform& owner_;
    std::unique_ptr<FileSystemObject> inner_;
};

class HookedShell : public ScriptShell {
public:
    HookedShell(FaultyPlatform& owner, std::unique_ptr<ScriptShell> inner) : owner_(owner), inner_(std::move(inner)) {}
    std::unique_ptr<Shortcut> createShortcut(const ListedEntry& entry, std::u16string_view path) override
    {
        call(owner_.beforeCreateShortcut, path);
        return inner_->createShortcut(entry, path);
    }

private:
    FaultyPlatform& owner_;
    std::unique_ptr<ScriptShell> inner_;
};

} // namespace

std::unique_ptr<FileSystemObject> FaultyPlatform::createFileSystemObject()
{
    call(beforeCreateFileSystem);
    return std::make_unique<HookedFileSystem>(*this, local_.createFileSystemObject());
}

std::unique_ptr<ScriptShell> FaultyPlatform::createScriptShell()
{
    call(beforeCreateScriptShell);
    return std::make_unique<HookedShell>(*this, local_.createScriptShell());
}

DirectoryListing& FaultyPlatform::directoryListing() { return listing_; }

ListedEntry FaultyPlatform::Listing::start(std::u16string_view pattern)
{
    call(owner_.beforeListingStart, pattern);
    return owner_.local_.directoryListing().start(pattern);
}

void FaultyPlatform::Listing::next(ListedEntry& entry)
{
    call(owner_.beforeListingNext);
    owner_.local_.directoryListing().next(entry);
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
