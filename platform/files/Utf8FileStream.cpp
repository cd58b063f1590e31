#include "platform/files/Utf8FileStream.h"

#include "platform/files/PageFileCalls.h"
#include "platform/files/SamePlace.h"
#include "text/Unicode.h"

namespace markroll {
namespace {

// What the user named to receive the bookmarks as they come (standard output,
// /dev/null, a pipe) is written into, never replaced by a file.
std::unique_ptr<AsideFile> openBookmarkFile(std::u16string_view path)
{
    if (path == u"-" || leadsToStandardOutput(path))
        return AsideFile::writeThrough(pagefile::duplicateStandardOutput(), path, "\n");
    if (pagefile::isDeviceOrPipe(path))
        return AsideFile::writeThrough(pagefile::openThrough(path), path, "\n");
    return AsideFile::create(path, "\n", AsideFile::AfterFailedWrite::DropFile, AsideFile::Descriptor::OpenedToWrite);
}

} // namespace

std::unique_ptr<Utf8FileStream> Utf8FileStream::create(std::u16string_view path)
{
    auto file = openBookmarkFile(path);
    return std::unique_ptr<Utf8FileStream>(new Utf8FileStream(std::move(file)));
}

void Utf8FileStream::writeLine(std::u16string_view text)
{
    std::string& pending = file_->pending();
    unicode::appendUtf8(pending, text);
    pending.push_back('\n');
    file_->handOverIfFull();
}

} // namespace markroll
