#pragma once

#include <bitset>
#include <cstddef>
#include <string>
#include <vector>

namespace markroll {

// The folders of one run, in walk order: the Favorites folder first, then
// every folder below it, each before the folders below it. The page has room
// for 1000.
class FolderList {
public:
    static constexpr std::size_t Capacity = 1000;

    void clear();
    // Raises the full-table failure (9) once Capacity folders are held; the
    // folder is then left out.
    void add(std::u16string path);
    std::size_t size() const { return paths_.size(); }
    const std::u16string& operator[](std::size_t index) const { return paths_.at(index); }

    // The walk could not list this folder, and has told of it.
    void markUnlisted(std::size_t index) { unlisted_.set(index); }
    bool unlisted(std::size_t index) const { return unlisted_.test(index); }

private:
    std::vector<std::u16string> paths_;
    std::bitset<Capacity> unlisted_;
};

} // namespace markroll
