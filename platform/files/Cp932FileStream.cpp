#include "platform/files/Cp932FileStream.h"

#include "platform/Failure.h"
#include "text/Cp932.h"

namespace markroll {

std::unique_ptr<Cp932FileStream> Cp932FileStream::create(std::u16string_view path)
{
    auto file = AsideFile::create(path, "\r\n", AsideFile::AfterFailedWrite::KeepWholeLines,
                                  AsideFile::Descriptor::HeldOpen);
    return std::unique_ptr<Cp932FileStream>(new Cp932FileStream(std::move(file)));
}

void Cp932FileStream::writeLine(std::u16string_view text)
{
    std::string& pending = file_->pending();
    if (!cp932::encodeAppend(text, pending))
        throw Failure(FailureKind::UnencodableText, file_->shownPath(), "not representable in code page 932");
    pending.append("\r\n", 2);
    file_->handOverIfFull();
}

} // namespace markroll
