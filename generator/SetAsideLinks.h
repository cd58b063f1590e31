#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace markroll {

class Host;
class ScratchFile;

// The bookmark file's links, held until the whole tree has been walked, as a
// folder's links are written only after its sub-folders: each folder's links
// are sorted in Explorer order by the name shown and set aside in a scratch
// file, in runs of at most a fixed budget of memory, then merged back one
// folder at a time. So a folder of any size costs the same memory, and each
// shortcut is read once. Failures of the scratch file are raised.
class SetAsideLinks {
public:
    explicit SetAsideLinks(Host& host);
    ~SetAsideLinks();

    // A link of `folder`, the folder given since the last setAside(): its
    // name as shown, and its line as written, without indent or line end.
    void add(std::size_t folder, std::u16string_view name, std::string_view line);
    // Sets aside what add() holds.
    void setAside();
    // Every line of `folder`'s links, in order.
    void forEachOf(std::size_t folder, const std::function<void(std::string_view line)>& take);

private:
    // Where a held link's name and line stand in the held texts.
    struct HeldLink {
        std::uint32_t nameAt;
        std::uint32_t nameSize;
        std::uint32_t lineAt;
        std::uint32_t lineSize;
    };
    struct Run {
        std::uint64_t offset;
        std::uint64_t size;
    };
    class RunReader;
    void writeRecords();

    Host& host_;
    std::unique_ptr<ScratchFile> scratch_;
    std::uint64_t scratchSize_ = 0;
    // The held links' texts, one after the other, so holding them costs no
    // allocation of its own and leaves no scattered memory behind.
    std::u16string heldNames_;
    std::string heldLines_;
    std::vector<HeldLink> held_;
    std::size_t heldFolder_ = 0;
    // Each folder's runs, by its index in the folder list.
    std::vector<std::vector<Run>> runs_;
    // Records on their way to the scratch file.
    std::string records_;
};

} // namespace markroll
