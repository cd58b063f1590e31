#include "platform/files/Utf8FileStream.h"

#include "platform/text/Unicode.h"

namespace markroll {

std::unique_ptr<Utf8FileStream> Utf8FileStream::create(std::u16string_view path)
{
    auto file = AsideFile::create(path, "\n", AsideFile::AfterFailedWrite::DropFile);
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
