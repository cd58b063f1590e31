#include "TestSupport.h"

#include "Iconv.h"
#include "Messages.h"
#include "ScriptError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace markroll::test {

void PrintTo(const ShownMessage& message, std::ostream* out)
{
    *out << "{\"" << message.text.toStdString() << "\", " << message.style << ", \"" << message.title.toStdString()
         << "\"}";
}

void RecordingMessageBoxes::show(const QString& text, MessageStyle style, const QString& title)
{
    shown.append({text, int(style), effectiveTitle(title)});
    if (onShow)
        onShow(shown.last());
}

ShownMessage errorOccurredBox() { return {messages::errorOccurred(), ExclamationMessage, applicationTitle()}; }
ShownMessage completedBox() { return {messages::completed(), InformationMessage, applicationTitle()}; }
ShownMessage fileOutputFailedBox() { return {messages::fileOutputFailed(), ExclamationMessage, messages::warningTitle()}; }

TempTree::TempTree()
{
    if (!dir_.isValid())
        throw std::runtime_error("no temporary folder");
}

QString TempTree::folder(const QString& relative) const
{
    const QString full = path(relative);
    QDir().mkpath(full);
    return full;
}

QString TempTree::file(const QString& relative, const QByteArray& content) const
{
    const QString full = path(relative);
    QDir().mkpath(QFileInfo(full).path());
    QFile file(full);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        throw std::runtime_error("cannot write " + full.toStdString());
    return full;
}

QString TempTree::shortcut(const QString& relative, const QString& url) const
{
    return file(relative, shortcutBytes(url));
}

QString TempTree::symlink(const QString& target, const QString& relative) const
{
    const QString full = path(relative);
    QDir().mkpath(QFileInfo(full).path());
    if (!QFile::link(target, full))
        throw std::runtime_error("cannot link " + full.toStdString());
    return full;
}

QByteArray readBytes(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray("<missing: ") + path.toUtf8() + ">";
    return file.readAll();
}

QByteArray shortcutBytes(const QString& url)
{
    return "[InternetShortcut]\r\nURL=" + url.toUtf8() + "\r\n";
}

QString dataPath(const QString& relative)
{
    return QStringLiteral(MARKROLL_TEST_DATA_DIR "/") + relative;
}

QString pageFile(const QString& outputFolder)
{
    return outputFolder + QStringLiteral("/ALL_Favorites_Link.htm");
}

QByteArray cp932Lines(const QString& utf8Lines)
{
    QString text = utf8Lines;
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    Iconv converter("CP932", "UTF-8");
    const auto bytes = converter.convert(text.toUtf8());
    if (!bytes)
        throw std::runtime_error("reference text is not code page 932");
    return *bytes;
}

int errorNumberOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const ScriptError& error) {
        return error.number();
    }
    return 0;
}

WorkingFolder::WorkingFolder(const QString& path) : previous_(QDir::currentPath())
{
    if (!QDir::setCurrent(path))
        throw std::runtime_error("cannot enter " + path.toStdString());
}

WorkingFolder::~WorkingFolder() { QDir::setCurrent(previous_); }

} // namespace markroll::test
