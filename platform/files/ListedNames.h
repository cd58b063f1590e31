#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace markroll {

// The names of one listing, kept compact: their units in blocks of 64 KiB
// that never move once filled, and an offset and length per name. A folder of
// 200,000 shortcuts then costs a few bytes a name beyond its text, where a
// string per name would cost dozens, and growing never copies the text.
class ListedNames {
public:
    void add(std::u16string_view name);
    // Puts the names in name order.
    void sort();

    std::size_t size() const { return spans_.size(); }
    bool empty() const { return spans_.empty(); }
    std::u16string_view operator[](std::size_t index) const;

private:
    static constexpr std::size_t BlockUnits = 32 * 1024;

    struct Span {
        std::uint32_t block;
        std::uint16_t offset;
        std::uint16_t length;
    };

    std::vector<std::unique_ptr<char16_t[]>> blocks_;
    std::size_t used_ = BlockUnits;
    std::vector<Span> spans_;
};

} // namespace markroll
