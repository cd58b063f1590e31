#include "ListedNames.h"

#include "NameOrder.h"

#include <algorithm>
#include <stdexcept>

namespace markroll {

void ListedNames::add(std::u16string_view name)
{
    // A file name is at most 255 bytes, far less than a block.
    if (name.size() > BlockUnits / 2)
        throw std::length_error("a name longer than any file name");
    if (used_ + name.size() > BlockUnits) {
        blocks_.push_back(std::make_unique<char16_t[]>(BlockUnits));
        used_ = 0;
    }
    std::copy(name.begin(), name.end(), blocks_.back().get() + used_);
    spans_.push_back({std::uint32_t(blocks_.size() - 1), std::uint16_t(used_), std::uint16_t(name.size())});
    used_ += name.size();
}

std::u16string_view ListedNames::operator[](std::size_t index) const
{
    const Span& span = spans_[index];
    return std::u16string_view(blocks_[span.block].get() + span.offset, span.length);
}

void ListedNames::sort()
{
    std::sort(spans_.begin(), spans_.end(), [this](const Span& a, const Span& b) {
        return nameOrderLess(std::u16string_view(blocks_[a.block].get() + a.offset, a.length),
                             std::u16string_view(blocks_[b.block].get() + b.offset, b.length));
    });
}

} // namespace markroll
