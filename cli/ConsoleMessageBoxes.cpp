#include "ConsoleMessageBoxes.h"

#include "Messages.h"

namespace markroll {

void printLine(std::FILE* stream, const QString& text)
{
    const QByteArray bytes = (text + QLatin1Char('\n')).toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fflush(stream);
}

void ConsoleMessageBoxes::show(const QString& text, MessageStyle style, const QString& title)
{
    if (beforeMessage_)
        beforeMessage_();
    QString oneLine = text;
    oneLine.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
    const bool information = style == InformationMessage;
    printLine(information ? stdout : stderr, effectiveTitle(title) + QStringLiteral(": ") + oneLine);
    if (!information)
        failureShown_ = true;
    else if (text == messages::completed())
        completionShown_ = true;
}

} // namespace markroll
