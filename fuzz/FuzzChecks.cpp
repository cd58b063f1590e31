#include "FuzzChecks.h"

#include "Cp932.h"
#include "InternetShortcut.h"
#include "PageEscaping.h"
#include "PageFormat.h"
#include "ScriptError.h"
#include "ScriptShell.h"

#include <QRegularExpression>
#include <QString>

#ifdef __linux__
#include <sys/mman.h>
#include <unistd.h>
#endif

namespace markroll::fuzz {
namespace {

#ifdef __linux__
// The bytes as a file that lives in memory, so the real reader reads them.
class MemoryFile {
public:
    MemoryFile(const std::uint8_t* data, std::size_t size) : descriptor_(memfd_create("shortcut.url", MFD_CLOEXEC))
    {
        for (std::size_t done = 0; descriptor_ >= 0 && done < size;) {
            const ssize_t written = ::write(descriptor_, data + done, size - done);
            if (written <= 0)
                break;
            done += std::size_t(written);
        }
    }
    ~MemoryFile()
    {
        if (descriptor_ >= 0)
            ::close(descriptor_);
    }
    QString path() const { return QStringLiteral("/proc/self/fd/%1").arg(descriptor_); }

private:
    int descriptor_;
};
#endif

std::string readWithTheShortcutReader(const std::uint8_t* data, std::size_t size)
{
#ifdef __linux__
    MemoryFile file(data, size);
    try {
        const QString target = LocalScriptShell().createShortcut(file.path())->targetPath();
        if (target.isEmpty())
            return "the reader gave an empty target";
        if (size > std::size_t(MaxShortcutFileSize))
            return "the reader accepted a file over the size limit";
    } catch (const ScriptError& error) {
        if (error.number() != InvalidCall)
            return "the reader failed with error " + std::to_string(error.number());
    }
#else
    Q_UNUSED(data);
    Q_UNUSED(size);
#endif
    return {};
}

// Every "&" in escaped text starts one of the references the escaping writes.
bool ampersandsAreReferences(const QString& text)
{
    static const QRegularExpression reference(QStringLiteral("^&(amp|lt|gt|quot|#[0-9]+);"));
    for (qsizetype at = text.indexOf(QLatin1Char('&')); at >= 0; at = text.indexOf(QLatin1Char('&'), at + 1)) {
        if (!reference.match(QStringView(text).sliced(at)).hasMatch())
            return false;
    }
    return true;
}

std::string checkEscaped(const char* what, const QString& escaped)
{
    if (escaped.contains(QLatin1Char('<')) || escaped.contains(QLatin1Char('"')) || escaped.contains(QLatin1Char('>')))
        return std::string(what) + " kept a markup sign";
    if (!ampersandsAreReferences(escaped))
        return std::string(what) + " has a bare &";
    return {};
}

std::string checkLine(const char* what, const QString& line)
{
    QByteArray bytes;
    if (!cp932::encodeAppend(line, bytes))
        return std::string(what) + " is not writable in code page 932";
    if (cp932::decode(bytes) != line)
        return std::string(what) + " does not decode back to itself";
    return {};
}

} // namespace

std::string checkShortcutReader(const std::uint8_t* data, std::size_t size)
{
    const auto target = internetShortcutTarget(QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (target && target->isEmpty())
        return "the parser gave an empty target";
    return readWithTheShortcutReader(data, size);
}

std::string checkPageEscaping(const std::uint8_t* data, std::size_t size)
{
    const QString text = QString::fromUtf16(reinterpret_cast<const char16_t*>(data), qsizetype(size / 2));
    const QString name = escapePageText(text);
    const QString target = escapeLinkTarget(text);
    for (QChar ch : target) {
        if (ch.unicode() >= 0x80)
            return "a target kept a non-ASCII character";
    }
    for (const std::string& finding : {checkEscaped("escaped text", name), checkEscaped("escaped target", target),
                                       checkLine("a link line", page::linkLine(text, text)),
                                       checkLine("a section opening line", page::sectionOpeningLine(text)),
                                       checkLine("a notice line", page::noticeLine(text))}) {
        if (!finding.empty())
            return finding;
    }
    return {};
}

} // namespace markroll::fuzz
