#include "tests/support/BookmarkTree.h"

#include <algorithm>
#include <cctype>
#include <map>

namespace markroll::test {
namespace {

std::string upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::toupper(c)); });
    return text;
}

void appendUtf8(std::string& out, unsigned long codePoint)
{
    if (codePoint < 0x80) {
        out.push_back(char(codePoint));
    } else if (codePoint < 0x800) {
        out.push_back(char(0xC0 | (codePoint >> 6)));
        out.push_back(char(0x80 | (codePoint & 0x3F)));
    } else if (codePoint < 0x10000) {
        out.push_back(char(0xE0 | (codePoint >> 12)));
        out.push_back(char(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(char(0x80 | (codePoint & 0x3F)));
    } else {
        out.push_back(char(0xF0 | (codePoint >> 18)));
        out.push_back(char(0x80 | ((codePoint >> 12) & 0x3F)));
        out.push_back(char(0x80 | ((codePoint >> 6) & 0x3F)));
        out.push_back(char(0x80 | (codePoint & 0x3F)));
    }
}

// What a browser reads a numeric reference as: HTML takes &#128; to &#159;
// for Windows-1252's characters, and leaves the five that code page lacks.
unsigned long referencedCodePoint(unsigned long number)
{
    static constexpr unsigned long windows1252[32] = {
        0x20AC, 0x81,   0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
        0x2039, 0x0152, 0x8D,   0x017D, 0x8F,   0x90,   0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
        0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x9D,   0x017E, 0x0178};
    return number >= 0x80 && number <= 0x9F ? windows1252[number - 0x80] : number;
}

} // namespace

std::string decodeReferences(std::string_view text, std::vector<std::string>& problems)
{
    static const std::map<std::string, std::string, std::less<>> named = {
        {"amp", "&"}, {"lt", "<"}, {"gt", ">"}, {"quot", "\""}, {"apos", "'"}, {"nbsp", "\xC2\xA0"}};
    std::string out;
    for (std::size_t at = 0; at < text.size(); ++at) {
        const std::size_t end = text[at] == '&' ? text.find(';', at) : std::string_view::npos;
        if (end == std::string_view::npos) {
            if (text[at] == '&')
                problems.push_back("a bare & in: " + std::string(text));
            out.push_back(text[at]);
            continue;
        }
        const std::string_view name = text.substr(at + 1, end - at - 1);
        if (name.starts_with("#x") || name.starts_with("#X"))
            appendUtf8(out, referencedCodePoint(std::stoul(std::string(name.substr(2)), nullptr, 16)));
        else if (name.starts_with("#"))
            appendUtf8(out, referencedCodePoint(std::stoul(std::string(name.substr(1)))));
        else if (const auto found = named.find(name); found != named.end())
            out += found->second;
        else
            problems.push_back("an unknown entity &" + std::string(name) + ";");
        at = end;
    }
    return out;
}

namespace {

struct Tag {
    std::string name; // upper case; "/DL" for an end tag
    std::map<std::string, std::string> attributes;
};

class Parser {
public:
    explicit Parser(std::string_view text) : text_(text) {}
    ParsedBookmarks parse();

private:
    Tag readTag();
    std::string readTextUntil(std::string_view endTag);
    void skipSpace();
    void onTag(const Tag& tag);
    static std::optional<std::int64_t> timeOf(const Tag& tag, const char* attribute);

    std::string_view text_;
    std::size_t at_ = 0;
    ParsedBookmarks file_;
    std::vector<BookmarkNode*> open_;
    std::optional<BookmarkNode> heading_;
    bool topOpened_ = false;
};

void Parser::skipSpace()
{
    while (at_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[at_])))
        ++at_;
}

Tag Parser::readTag()
{
    Tag tag;
    ++at_; // '<'
    const std::size_t nameEnd = text_.find_first_of(" \t\r\n>", at_);
    tag.name = upper(std::string(text_.substr(at_, nameEnd - at_)));
    at_ = nameEnd;
    while (true) {
        skipSpace();
        if (at_ >= text_.size() || text_[at_] == '>')
            break;
        const std::size_t keyEnd = text_.find_first_of("= \t\r\n>", at_);
        std::string key = upper(std::string(text_.substr(at_, keyEnd - at_)));
        at_ = keyEnd;
        std::string value;
        if (at_ < text_.size() && text_[at_] == '=') {
            ++at_;
            if (text_[at_] == '"') {
                const std::size_t close = text_.find('"', at_ + 1);
                value = std::string(text_.substr(at_ + 1, close - at_ - 1));
                at_ = close + 1;
            } else {
                const std::size_t end = text_.find_first_of(" \t\r\n>", at_);
                value = std::string(text_.substr(at_, end - at_));
                at_ = end;
            }
        }
        tag.attributes[key] = decodeReferences(value, file_.problems);
    }
    ++at_; // '>'
    return tag;
}

std::string Parser::readTextUntil(std::string_view endTag)
{
    const std::size_t end = text_.find(endTag, at_);
    if (end == std::string_view::npos) {
        file_.problems.push_back("no " + std::string(endTag));
        at_ = text_.size();
        return {};
    }
    const std::string_view raw = text_.substr(at_, end - at_);
    if (raw.find_first_of("<\n") != std::string_view::npos)
        file_.problems.push_back("a tag or a line break in a name: " + std::string(raw));
    at_ = end + endTag.size();
    return decodeReferences(raw, file_.problems);
}

std::optional<std::int64_t> Parser::timeOf(const Tag& tag, const char* attribute)
{
    const auto found = tag.attributes.find(attribute);
    if (found == tag.attributes.end())
        return std::nullopt;
    return std::stoll(found->second);
}

void Parser::onTag(const Tag& tag)
{
    if (tag.name == "META") {
        file_.contentType = tag.attributes.count("CONTENT") ? tag.attributes.at("CONTENT") : "";
    } else if (tag.name == "TITLE") {
        file_.title = readTextUntil("</TITLE>");
    } else if (tag.name == "H1") {
        file_.heading = readTextUntil("</H1>");
    } else if (tag.name == "H3") {
        heading_ = BookmarkNode{true, {}, {}, timeOf(tag, "ADD_DATE"), timeOf(tag, "LAST_MODIFIED"), {}};
        const auto toolbar = tag.attributes.find("PERSONAL_TOOLBAR_FOLDER");
        heading_->isToolbar = toolbar != tag.attributes.end() && toolbar->second == "true";
        heading_->name = readTextUntil("</H3>");
    } else if (tag.name == "A") {
        BookmarkNode link{false, {}, tag.attributes.count("HREF") ? tag.attributes.at("HREF") : "",
                          timeOf(tag, "ADD_DATE"), timeOf(tag, "LAST_MODIFIED"), {}};
        link.name = readTextUntil("</A>");
        if (open_.empty())
            file_.problems.push_back("a link outside every list: " + link.name);
        else
            open_.back()->children.push_back(std::move(link));
    } else if (tag.name == "DL") {
        if (heading_ && !open_.empty()) {
            open_.back()->children.push_back(std::move(*heading_));
            open_.push_back(&open_.back()->children.back());
        } else if (!topOpened_ && open_.empty()) {
            topOpened_ = true;
            file_.top.isFolder = true;
            open_.push_back(&file_.top);
        } else {
            file_.problems.push_back("a list without a heading");
        }
        heading_.reset();
    } else if (tag.name == "/DL") {
        if (open_.empty())
            file_.problems.push_back("a list ended that was not open");
        else
            open_.pop_back();
    } else if (tag.name != "DT" && tag.name != "P" && tag.name != "DD") {
        file_.problems.push_back("an unexpected tag <" + tag.name + ">");
    }
}

ParsedBookmarks Parser::parse()
{
    while (true) {
        skipSpace();
        if (at_ >= text_.size())
            break;
        if (text_.substr(at_).starts_with("<!--")) {
            at_ = text_.find("-->", at_) + 3;
        } else if (text_.substr(at_).starts_with("<!")) {
            const std::size_t end = text_.find('>', at_);
            file_.doctype = std::string(text_.substr(at_ + 2, end - at_ - 2));
            at_ = end + 1;
        } else if (text_[at_] == '<') {
            onTag(readTag());
        } else {
            const std::size_t end = text_.find('<', at_);
            file_.problems.push_back("text outside a name: " + std::string(text_.substr(at_, end - at_)));
            at_ = end;
        }
    }
    if (!open_.empty())
        file_.problems.push_back(std::to_string(open_.size()) + " lists never ended");
    return std::move(file_);
}

void outlineInto(std::string& out, const BookmarkNode& node, int indent, bool withUrls)
{
    for (const BookmarkNode& child : node.children) {
        out.append(std::size_t(indent) * 2, ' ');
        if (child.isToolbar)
            out += "[toolbar] ";
        out += child.isFolder ? child.name + "/" : withUrls ? child.name + " -> " + child.url : child.name;
        out += '\n';
        if (child.isFolder)
            outlineInto(out, child, indent + 1, withUrls);
    }
}

void linksInto(std::vector<std::string>& links, const BookmarkNode& node)
{
    for (const BookmarkNode& child : node.children) {
        if (child.isFolder)
            linksInto(links, child);
        else
            links.push_back(child.name + " -> " + child.url);
    }
}

} // namespace

ParsedBookmarks parseBookmarkFile(std::string_view utf8) { return Parser(utf8).parse(); }

std::string outlineOf(const BookmarkNode& node, bool withUrls)
{
    std::string out;
    outlineInto(out, node, 0, withUrls);
    return out;
}

std::vector<std::string> linksOf(const BookmarkNode& node)
{
    std::vector<std::string> links;
    linksInto(links, node);
    return links;
}

std::size_t folderCount(const BookmarkNode& node)
{
    std::size_t count = 0;
    for (const BookmarkNode& child : node.children) {
        if (child.isFolder)
            count += 1 + folderCount(child);
    }
    return count;
}

} // namespace markroll::test
