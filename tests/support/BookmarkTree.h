#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace markroll::test {

// A bookmark file as an importer reads it: the tags tokenized, attributes
// and text with their character references decoded, the lists built into a
// tree. Anything an importer would stumble on is listed in `problems`.
struct BookmarkNode {
    bool isFolder = false;
    std::string name;
    std::string url;
    std::optional<std::int64_t> added;
    std::optional<std::int64_t> modified;
    std::vector<BookmarkNode> children;
    // Marked as the browser's toolbar.
    bool isToolbar = false;
};

struct ParsedBookmarks {
    std::string doctype;
    std::string contentType;
    std::string title;
    std::string heading;
    // The outermost list.
    BookmarkNode top;
    std::vector<std::string> problems;
};

ParsedBookmarks parseBookmarkFile(std::string_view utf8);
// HTML's character references decoded, as a browser reads an attribute or a
// text; what it cannot decode is added to `problems`.
std::string decodeReferences(std::string_view text, std::vector<std::string>& problems);

// The tree as indented lines, one per folder ("name/", "[toolbar] name/")
// or link ("name -> url"), for comparisons that show the first difference.
std::string outlineOf(const BookmarkNode& node, bool withUrls = true);
// Every link in file order, as "name -> url".
std::vector<std::string> linksOf(const BookmarkNode& node);
std::size_t folderCount(const BookmarkNode& node);

} // namespace markroll::test
