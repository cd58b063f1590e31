#include "generator/BookmarkFormat.h"

#include "generator/PageEscaping.h"
#include "platform/Host.h"

#include <algorithm>
#include <charconv>
#include <iterator>

namespace markroll::bookmarks {

// Literals as views, whose length the compiler counts.
using namespace std::string_view_literals;
namespace {

void appendIndent(std::u16string& line, std::size_t level) { line.append(4 * level, u' '); }

void appendTime(std::u16string& line, std::u16string_view attribute, std::int64_t seconds)
{
    line.append(attribute);
    line.append(u"=\""sv);
    char digits[24];
    const auto written = std::to_chars(std::begin(digits), std::end(digits), seconds);
    for (const char* digit = digits; digit != written.ptr; ++digit)
        line.push_back(char16_t(*digit));
    line.push_back(u'"');
}

void appendTimes(std::u16string& line, const FileTimes& times)
{
    if (const std::optional<std::int64_t> added = addedTime(times))
        appendTime(line, u" ADD_DATE", *added);
    if (times.modified)
        appendTime(line, u" LAST_MODIFIED", *times.modified);
}

} // namespace

// A copied file (a Favorites folder brought from another machine) is created
// at the copy and keeps its last write from before, and a bookmark is never
// modified before it was added.
std::optional<std::int64_t> addedTime(const FileTimes& times)
{
    if (times.created && times.modified)
        return std::min(*times.created, *times.modified);
    return times.created ? times.created : times.modified;
}

std::u16string_view headBlock()
{
    return u"<!DOCTYPE NETSCAPE-Bookmark-file-1>\n"
           u"<!-- This is an automatically generated file.\n"
           u"     It will be read and overwritten.\n"
           u"     DO NOT EDIT! -->\n"
           u"<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=UTF-8\">\n"
           u"<TITLE>Bookmarks</TITLE>\n"
           u"<H1>Bookmarks</H1>\n"
           u"<DL><p>";
}

void folderOpeningInto(std::u16string& lines, std::size_t level, std::u16string_view name, const FileTimes& times,
                       bool isToolbar)
{
    lines.clear();
    appendIndent(lines, level);
    lines.append(u"<DT><H3"sv);
    appendTimes(lines, times);
    if (isToolbar)
        lines.append(u" PERSONAL_TOOLBAR_FOLDER=\"true\""sv);
    lines.push_back(u'>');
    appendUnicodeText(lines, name);
    lines.append(u"</H3>\n"sv);
    appendIndent(lines, level);
    lines.append(u"<DL><p>"sv);
}

void linkLineInto(std::u16string& line, std::size_t level, std::u16string_view target, std::u16string_view name,
                  const FileTimes& times)
{
    line.clear();
    appendIndent(line, level);
    line.append(u"<DT><A HREF=\""sv);
    appendLinkTarget(line, target);
    line.push_back(u'"');
    appendTimes(line, times);
    line.push_back(u'>');
    appendUnicodeText(line, name);
    line.append(u"</A>"sv);
}

std::u16string listClosingLine(std::size_t level)
{
    std::u16string line;
    appendIndent(line, level);
    line.append(u"</DL><p>"sv);
    return line;
}

std::u16string_view folderNameOf(std::u16string_view path, char16_t separator)
{
    const auto isSeparator = [separator](char16_t unit) { return unit == u'/' || unit == separator; };
    std::size_t end = path.size();
    while (end > 0 && isSeparator(path[end - 1]))
        --end;
    std::size_t start = end;
    while (start > 0 && !isSeparator(path[start - 1]))
        --start;
    // "C:" is a drive, not a name.
    if (start == end || (start == 0 && end == 2 && path[1] == u':'))
        return path;
    return path.substr(start, end - start);
}

} // namespace markroll::bookmarks
