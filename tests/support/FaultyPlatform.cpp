#include "FaultyPlatform.h"

#include "ScriptError.h"

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
    void writeLine(const QString& text) override
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
    explicit HookedFileSystem(FaultyPlatform& owner) : owner_(owner) {}
    std::unique_ptr<Folder> getFolder(const QString& path) override
    {
        call(owner_.beforeGetFolder, path);
        return inner_.getFolder(path);
    }
    std::unique_ptr<TextStream> createTextFile(const QString& path, bool overwrite) override
    {
        call(owner_.beforeCreateTextFile, path);
        return std::make_unique<HookedStream>(owner_, inner_.createTextFile(path, overwrite));
    }

private:
    FaultyPlatform& owner_;
    LocalFileSystem inner_;
};

class HookedShell : public ScriptShell {
public:
    explicit HookedShell(FaultyPlatform& owner) : owner_(owner) {}
    std::unique_ptr<Shortcut> createShortcut(const QString& path) override
    {
        call(owner_.beforeCreateShortcut, path);
        return inner_.createShortcut(path);
    }

private:
    FaultyPlatform& owner_;
    LocalScriptShell inner_;
};

} // namespace

struct FaultyPlatform::Adapters {
    struct Files : FileSystemFactory {
        FaultyPlatform& owner;
        explicit Files(FaultyPlatform& o) : owner(o) {}
        std::unique_ptr<FileSystemObject> createFileSystemObject() override
        {
            call(owner.beforeCreateFileSystem);
            return std::make_unique<HookedFileSystem>(owner);
        }
    } files;
    struct Shells : ScriptShellFactory {
        FaultyPlatform& owner;
        explicit Shells(FaultyPlatform& o) : owner(o) {}
        std::unique_ptr<ScriptShell> createScriptShell() override
        {
            call(owner.beforeCreateScriptShell);
            return std::make_unique<HookedShell>(owner);
        }
    } shells;
    struct Listing : DirectoryListing {
        FaultyPlatform& owner;
        explicit Listing(FaultyPlatform& o) : owner(o) {}
        QString start(const QString& pattern) override
        {
            call(owner.beforeListingStart, pattern);
            return owner.local_.listing.start(pattern);
        }
        QString next() override
        {
            call(owner.beforeListingNext);
            return owner.local_.listing.next();
        }
    } listing;

    explicit Adapters(FaultyPlatform& owner) : files(owner), shells(owner), listing(owner) {}
};

FaultyPlatform::FaultyPlatform() : adapters_(std::make_unique<Adapters>(*this)) {}
FaultyPlatform::~FaultyPlatform() = default;

FileSystemFactory& FaultyPlatform::files() { return adapters_->files; }
ScriptShellFactory& FaultyPlatform::shells() { return adapters_->shells; }
DirectoryListing& FaultyPlatform::listing() { return adapters_->listing; }

QByteArray GeneratorHarness::run(const QString& favorites, const QString& output)
{
    paths.favorites = favorites;
    paths.output = output;
    generator.MakeLinkPage();
    return readBytes(pageFile(output));
}

std::function<void()> failWith(int number)
{
    return [number] { throw ScriptError(number, QStringLiteral("injected")); };
}

} // namespace markroll::test
