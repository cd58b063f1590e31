#include "tests/support/FakeHost.h"

#include "platform/files/HostPath.h"
#include "platform/files/SamePlace.h"
#include "text/Cp932.h"
#include "text/NameOrder.h"
#include "text/Unicode.h"

#include <algorithm>
#include <functional>
#include <set>
#include <utility>

namespace markroll::test {

struct FakeHost::Node {
    bool isFolder = false;
    std::uint64_t identity = 0;
    std::string bytes;
    FileTimes times;
    std::map<std::u16string, std::shared_ptr<Node>> children;
};

// What an output file holds so far, what was put in place, and its fault.
struct FakeHost::Output {
    std::string bytes;
    std::optional<std::string> placed;
    std::size_t failAfter = std::string::npos;
    std::errc error{};
};

namespace {

std::vector<std::u16string> partsOf(std::u16string_view path)
{
    std::vector<std::u16string> parts;
    std::u16string part;
    for (const char16_t unit : path) {
        if (unit == u'/' || unit == hostSeparator()) {
            if (!part.empty())
                parts.push_back(std::exchange(part, {}));
        } else {
            part.push_back(unit);
        }
    }
    if (!part.empty())
        parts.push_back(part);
    return parts;
}

Failure notThere(std::u16string_view path)
{
    return Failure(FailureKind::System, path, "No such file or directory",
                   std::make_error_code(std::errc::no_such_file_or_directory));
}

// An output file in memory: the page keeps its whole writes when a write
// fails (`keepsWrites`), the bookmark file is then dropped.
class FakeOutputFile : public OutputFile {
public:
    FakeOutputFile(std::shared_ptr<FakeHost::Output> output, std::u16string path, bool keepsWrites)
        : output_(std::move(output)), path_(std::move(path)), keepsWrites_(keepsWrites)
    {
        output_->bytes.clear();
    }

    void write(std::string_view bytes) override
    {
        failIfBroken();
        if (output_->bytes.size() + bytes.size() > output_->failAfter) {
            broken_ = std::make_error_code(output_->error);
            failIfBroken();
        }
        output_->bytes += bytes;
    }

    void commit() override
    {
        if (!broken_ || keepsWrites_)
            output_->placed = output_->bytes;
        failIfBroken();
    }

private:
    void failIfBroken() const
    {
        if (broken_)
            throw Failure(FailureKind::System, path_, broken_.message(), broken_);
    }

    std::shared_ptr<FakeHost::Output> output_;
    std::u16string path_;
    bool keepsWrites_;
    std::error_code broken_;
};

} // namespace

FakeHost::FakeHost() : root_(std::make_shared<Node>()) { root_->isFolder = true; }

// Links make cycles of shared nodes: each node lets go of its children.
FakeHost::~FakeHost()
{
    std::vector<std::shared_ptr<Node>> nodes{root_};
    std::set<const Node*> seen{root_.get()};
    for (std::size_t at = 0; at < nodes.size(); ++at) {
        for (const auto& [name, child] : nodes[at]->children) {
            if (seen.insert(child.get()).second)
                nodes.push_back(child);
        }
    }
    for (const std::shared_ptr<Node>& node : nodes)
        node->children.clear();
}

std::u16string FakeHost::hostForm(std::u16string_view path)
{
    std::u16string form(path);
    std::replace(form.begin(), form.end(), u'/', hostSeparator());
    return form;
}

FakeHost::Node& FakeHost::make(std::u16string_view path, bool isFolder)
{
    Node* node = root_.get();
    const std::vector<std::u16string> parts = partsOf(path);
    for (std::size_t at = 0; at < parts.size(); ++at) {
        std::shared_ptr<Node>& child = node->children[parts[at]];
        if (!child) {
            child = std::make_shared<Node>();
            child->isFolder = isFolder || at + 1 < parts.size();
            child->identity = ++identities_;
        }
        node = child.get();
    }
    return *node;
}

FakeHost::Node* FakeHost::find(std::u16string_view path, std::vector<const Node*>* walked) const
{
    Node* node = root_.get();
    std::vector<Node*> above;
    for (const std::u16string& part : partsOf(path)) {
        if (part == u".")
            continue;
        if (part == u"..") {
            if (!above.empty()) {
                node = above.back();
                above.pop_back();
            }
            continue;
        }
        above.push_back(node);
        if (walked)
            walked->push_back(node);
        const auto child = node->children.find(part);
        if (!node->isFolder || child == node->children.end())
            return nullptr;
        node = child->second.get();
    }
    return node;
}

void FakeHost::folder(std::u16string_view path) { make(path, true); }

void FakeHost::shortcut(std::u16string_view path, std::string bytes, FileTimes times)
{
    Node& node = make(path, false);
    node.bytes = std::move(bytes);
    node.times = times;
}

// A link shares its target's node: one identity, one set of contents.
void FakeHost::link(std::u16string_view path, std::u16string_view target)
{
    std::shared_ptr<Node> leadsTo = root_;
    for (const std::u16string& part : partsOf(target))
        leadsTo = leadsTo->children.at(part);
    std::vector<std::u16string> parts = partsOf(path);
    const std::u16string name = parts.back();
    Node* in = root_.get();
    for (std::size_t at = 0; at + 1 < parts.size(); ++at)
        in = in->children.at(parts[at]).get();
    in->children[name] = leadsTo;
}

void FakeHost::failAt(std::u16string_view path, const Failure& failure)
{
    failures_.insert_or_assign(hostForm(path), failure);
}

void FakeHost::failWritesAfter(std::u16string_view path, std::size_t bytes, std::errc error)
{
    Output& file = output(hostForm(path));
    file.failAfter = bytes;
    file.error = error;
}

std::optional<std::string> FakeHost::placed(std::u16string_view path) const
{
    const auto found = outputs_.find(hostForm(path));
    return found == outputs_.end() ? std::nullopt : found->second->placed;
}

FakeHost::Output& FakeHost::output(std::u16string_view path)
{
    std::shared_ptr<Output>& file = outputs_[std::u16string(path)];
    if (!file)
        file = std::make_shared<Output>();
    return *file;
}

void FakeHost::failIfTold(std::u16string_view path) const
{
    const auto failure = failures_.find(hostForm(path));
    if (failure != failures_.end())
        throw failure->second;
}

std::u16string FakeHost::joinPath(std::u16string_view parent, std::u16string_view child) const
{
    return markroll::joinPath(parent, child);
}

char16_t FakeHost::separator() const { return hostSeparator(); }

std::u16string FakeHost::readableText(std::u16string_view text) const { return readableHostText(text); }

SubfolderList FakeHost::listSubfolders(std::u16string_view folder)
{
    failIfTold(folder);
    std::vector<const Node*> walked;
    const Node* node = find(folder, &walked);
    if (!node || !node->isFolder)
        throw notThere(folder);
    SubfolderList list;
    for (const auto& [name, child] : node->children) {
        const bool leadsBackUp = std::find(walked.begin(), walked.end(), child.get()) != walked.end() ||
                                 child.get() == node;
        if (child->isFolder && !leadsBackUp)
            list.names.push_back(name);
    }
    sortByNameOrder(list.names);
    return list;
}

ListedEntry FakeHost::listShortcuts(std::u16string_view folder)
{
    failIfTold(folder);
    const Node* node = find(folder);
    if (!node || !node->isFolder)
        throw notThere(folder);
    listing_.clear();
    listed_ = 0;
    for (const auto& [name, child] : node->children) {
        if (!child->isFolder && name.size() > 4 && equalLetterCaseAside(name.substr(name.size() - 4), u".url"))
            listing_.push_back(name);
    }
    sortByNameOrder(listing_);
    ListedEntry first;
    nextShortcut(first);
    return first;
}

void FakeHost::nextShortcut(ListedEntry& entry)
{
    entry.name = listed_ < listing_.size() ? listing_[listed_++] : std::u16string();
}

std::string_view FakeHost::readListedFile(const ListedEntry&, std::size_t limit, std::u16string_view shownPath)
{
    failIfTold(shownPath);
    const Node* node = find(shownPath);
    if (!node)
        throw Failure(FailureKind::UnreadableShortcut, shownPath, "No such file or directory");
    if (node->bytes.size() > limit)
        throw Failure(FailureKind::UnreadableShortcut, shownPath, "too large for a shortcut");
    return node->bytes;
}

std::unique_ptr<OutputFile> FakeHost::createOutputFile(std::u16string_view path, OutputFileKind kind)
{
    failIfTold(path);
    output(path);
    return std::make_unique<FakeOutputFile>(outputs_[std::u16string(path)], std::u16string(path),
                                            kind == OutputFileKind::Page);
}

namespace {

class FakeScratchFile : public ScratchFile {
public:
    explicit FakeScratchFile(std::function<void()> beforeAppend) : beforeAppend_(std::move(beforeAppend)) {}
    void append(std::string_view bytes) override
    {
        beforeAppend_();
        bytes_ += bytes;
    }
    void read(std::uint64_t offset, std::span<char> into) override
    {
        if (offset > bytes_.size() || into.size() > bytes_.size() - offset)
            throw Failure(FailureKind::System, FakeHost::ScratchPath, "past the end", make_error_code(std::errc::io_error));
        bytes_.copy(into.data(), into.size(), std::size_t(offset));
    }

private:
    std::function<void()> beforeAppend_;
    std::string bytes_;
};

} // namespace

std::unique_ptr<ScratchFile> FakeHost::createScratchFile()
{
    failIfTold(ScratchPath);
    return std::make_unique<FakeScratchFile>([this] { failIfTold(ScratchPath); });
}

// The fake has no links to follow before a "..": taken off by the text.
std::u16string FakeHost::resolvedPath(std::u16string_view path)
{
    std::vector<std::u16string_view> parts;
    for (std::size_t start = 0; start <= path.size();) {
        const std::size_t end = std::min(path.find(separator(), start), path.size());
        const std::u16string_view part = path.substr(start, end - start);
        if (part == u"..") {
            if (parts.size() > 1)
                parts.pop_back();
        } else if (part != u"." && (!part.empty() || parts.empty())) {
            parts.push_back(part);
        }
        start = end + 1;
    }
    std::u16string resolved;
    for (const std::u16string_view part : parts)
        resolved.append(resolved.empty() && part.empty() ? u"" : std::u16string(1, separator())).append(part);
    return resolved;
}

FileTimes FakeHost::timesOf(std::u16string_view path)
{
    const Node* node = find(path);
    return node ? node->times : FileTimes{};
}

FileTimes FakeHost::timesOf(const ListedEntry&, std::u16string_view shownPath) { return timesOf(shownPath); }

std::optional<FileIdentity> FakeHost::identityOf(std::u16string_view path)
{
    const Node* node = find(path);
    if (!node)
        return std::nullopt;
    return FileIdentity{1, node->identity};
}

} // namespace markroll::test
