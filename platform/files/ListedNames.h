#pragma once

#include "platform/files/HostPath.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace markroll {

// The names of one listing, each as the program reads it and as the OS
// listed it, read back in name order. A folder of ordinary size is held
// whole and sorted. A huge one is sorted in runs of RunNames names, each kept
// front-coded in the OS's form (a sorted name mostly repeats the start of the
// one before it) and merged as it is read: a folder of 200,000 shortcuts then
// costs about ten bytes a name, where a string per name would cost dozens.
class ListedNames {
public:
    static constexpr std::size_t DefaultRunNames = 16384;

    explicit ListedNames(std::size_t runNames = DefaultRunNames);

    // `name` is `listed` as fromHostName reads it, given as well because
    // the listing has read it already.
    void add(std::u16string_view name, HostNameView listed);
    // Puts the names in name order; nothing is added after it.
    void sort();

    std::size_t size() const { return count_; }
    bool empty() const { return count_ == 0; }

    // Reads the sorted names from the first on. Each cursor keeps its own
    // place, so readers on several threads each need their own.
    class Cursor {
    public:
        explicit Cursor(std::shared_ptr<const ListedNames> names);
        // The next name, or false after the last.
        bool next(std::u16string& name, HostName& listed);

    private:
        struct RunHead {
            std::size_t run;
            std::size_t at;
            std::u16string name;
            HostName listed;
        };
        bool advance(RunHead& head) const;

        std::shared_ptr<const ListedNames> names_;
        std::size_t nextHeld_ = 0;
        std::vector<RunHead> heads_;
    };

private:
    struct Held {
        std::uint32_t nameAt;
        std::uint32_t listedAt;
        std::uint16_t nameLength;
        std::uint16_t listedLength;
    };

    std::u16string_view nameOf(const Held& held) const;
    HostNameView listedOf(const Held& held) const;
    void sortHeld();
    template <typename Piece>
    void forEachPiece(Piece piece) const;
    void spillRun();

    std::size_t runNames_;
    std::size_t count_ = 0;
    // The names not yet in a run, with their text side by side.
    std::vector<Held> held_;
    std::u16string heldNames_;
    HostName heldListed_;
    std::vector<std::vector<HostUnit>> runs_;
};

} // namespace markroll
