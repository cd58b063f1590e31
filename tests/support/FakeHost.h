#pragma once

#include "platform/Host.h"

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace markroll::test {

// A machine held in memory, for the generator's tests: folders, shortcut
// files with their bytes and times, links to folders, and failures on
// command, with no disk. Paths are written with "/" and stand as the
// generator joins them (with the host's separator). A link is the folder it
// leads to under another name: the same identity, the same contents; as on
// the real machine, a folder's listing leaves out a link back to a folder it
// lies in. Hidden files are not modelled: every "*.url" file is listed.
class FakeHost : public Host {
public:
    FakeHost();
    ~FakeHost() override;

    // The folder and every folder above it.
    void folder(std::u16string_view path);
    void shortcut(std::u16string_view path, std::string bytes, FileTimes times = {});
    void link(std::u16string_view path, std::u16string_view folder);
    // Every later call about `path` (listing it, reading it, creating it)
    // fails with `failure`.
    void failAt(std::u16string_view path, const Failure& failure);
    // The output file written at `path` fails with `error` once `bytes`
    // bytes are in it.
    void failWritesAfter(std::u16string_view path, std::size_t bytes, std::errc error);
    // What was put in place at `path`, once its file was closed.
    std::optional<std::string> placed(std::u16string_view path) const;
    // The host's own form of a "/" path.
    static std::u16string hostForm(std::u16string_view path);

    // Paths and names as the machine's own host joins and shows them.
    std::u16string joinPath(std::u16string_view parent, std::u16string_view child) const override;
    char16_t separator() const override;
    std::u16string readableText(std::u16string_view text) const override;
    SubfolderList listSubfolders(std::u16string_view folder) override;
    ListedEntry listShortcuts(std::u16string_view folder) override;
    void nextShortcut(ListedEntry& entry) override;
    std::string_view readListedFile(const ListedEntry& entry, std::size_t limit, std::u16string_view shownPath) override;
    std::unique_ptr<OutputFile> createOutputFile(std::u16string_view path, OutputFileKind kind) override;
    // In memory; failAt(ScratchPath, …) makes it fail at creation and at each append.
    std::unique_ptr<ScratchFile> createScratchFile() override;
    static constexpr std::u16string_view ScratchPath = u"(scratch)";
    std::u16string resolvedPath(std::u16string_view path) override;
    FileTimes timesOf(std::u16string_view path) override;
    FileTimes timesOf(const ListedEntry& entry, std::u16string_view shownPath) override;
    std::optional<FileIdentity> identityOf(std::u16string_view path) override;

    struct Node;
    struct Output;

private:
    // The node at `path` and the folders walked to it, or none.
    Node* find(std::u16string_view path, std::vector<const Node*>* walked = nullptr) const;
    Node& make(std::u16string_view path, bool isFolder);
    void failIfTold(std::u16string_view path) const;
    Output& output(std::u16string_view path);

    std::shared_ptr<Node> root_;
    std::map<std::u16string, Failure> failures_;
    std::map<std::u16string, std::shared_ptr<Output>> outputs_;
    std::vector<std::u16string> listing_;
    std::size_t listed_ = 0;
    std::uint64_t identities_ = 0;
};

} // namespace markroll::test
