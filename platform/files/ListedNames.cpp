#include "platform/files/ListedNames.h"

#include "text/NameOrder.h"

#include <algorithm>
#include <stdexcept>

namespace markroll {
namespace {

// A run is a sequence of (units shared with the name before, units of its
// own, those units); counts take one unit per seven bits.
void appendCount(std::vector<HostUnit>& run, std::size_t count)
{
    do {
        const std::size_t low = count & 0x7F;
        count >>= 7;
        run.push_back(HostUnit(count != 0 ? low | 0x80 : low));
    } while (count != 0);
}

std::size_t countSize(std::size_t count)
{
    std::size_t size = 1;
    while (count >>= 7)
        ++size;
    return size;
}

std::size_t readCount(const std::vector<HostUnit>& run, std::size_t& at)
{
    std::size_t count = 0;
    for (int shift = 0;; shift += 7) {
        const auto unit = std::size_t(std::make_unsigned_t<HostUnit>(run[at++]));
        count |= (unit & 0x7F) << shift;
        if (!(unit & 0x80))
            return count;
    }
}

std::size_t sharedStart(HostNameView a, HostNameView b)
{
    return std::size_t(std::mismatch(a.begin(), a.begin() + std::ptrdiff_t(std::min(a.size(), b.size())), b.begin()).first -
                       a.begin());
}

} // namespace

ListedNames::ListedNames(std::size_t runNames) : runNames_(std::max<std::size_t>(runNames, 1)) {}

void ListedNames::add(std::u16string_view name, HostNameView listed)
{
    // A file name is at most 255 units, far less than this.
    if (name.size() > 0xFFFF || listed.size() > 0xFFFF)
        throw std::length_error("a name longer than any file name");
    if (held_.size() == runNames_)
        spillRun();
    held_.push_back({std::uint32_t(heldNames_.size()), std::uint32_t(heldListed_.size()), std::uint16_t(name.size()),
                     std::uint16_t(listed.size())});
    heldNames_.append(name);
    heldListed_.append(listed);
    ++count_;
}

std::u16string_view ListedNames::nameOf(const Held& held) const
{
    return std::u16string_view(heldNames_).substr(held.nameAt, held.nameLength);
}

HostNameView ListedNames::listedOf(const Held& held) const
{
    return HostNameView(heldListed_).substr(held.listedAt, held.listedLength);
}

void ListedNames::sortHeld()
{
    std::sort(held_.begin(), held_.end(),
              [this](const Held& a, const Held& b) { return nameOrderLess(nameOf(a), nameOf(b)); });
}

void ListedNames::sort()
{
    if (!runs_.empty() && !held_.empty())
        spillRun();
    else
        sortHeld();
}

// Hands each held name, in order, to `piece` as the units it shares with the
// name before and the units of its own.
template <typename Piece>
void ListedNames::forEachPiece(Piece piece) const
{
    HostNameView before;
    for (const Held& held : held_) {
        const HostNameView listed = listedOf(held);
        const std::size_t shared = sharedStart(before, listed);
        piece(shared, listed.substr(shared));
        before = listed;
    }
}

// Sized first, so a run takes no room beyond its own.
void ListedNames::spillRun()
{
    sortHeld();
    std::size_t size = 0;
    forEachPiece([&](std::size_t shared, HostNameView own) {
        size += countSize(shared) + countSize(own.size()) + own.size();
    });
    std::vector<HostUnit>& run = runs_.emplace_back();
    run.reserve(size);
    forEachPiece([&](std::size_t shared, HostNameView own) {
        appendCount(run, shared);
        appendCount(run, own.size());
        run.insert(run.end(), own.begin(), own.end());
    });
    held_.clear();
    heldNames_.clear();
    heldListed_.clear();
}

ListedNames::Cursor::Cursor(std::shared_ptr<const ListedNames> names) : names_(std::move(names))
{
    for (std::size_t run = 0; run < names_->runs_.size(); ++run) {
        RunHead head{run, 0, {}, {}};
        if (advance(head))
            heads_.push_back(std::move(head));
    }
    std::make_heap(heads_.begin(), heads_.end(),
                   [](const RunHead& a, const RunHead& b) { return nameOrderLess(b.name, a.name); });
}

bool ListedNames::Cursor::advance(RunHead& head) const
{
    const std::vector<HostUnit>& run = names_->runs_[head.run];
    if (head.at == run.size())
        return false;
    const std::size_t shared = readCount(run, head.at);
    const std::size_t own = readCount(run, head.at);
    head.listed.resize(shared);
    head.listed.append(run.data() + head.at, own);
    head.at += own;
    fromHostName(head.listed, head.name);
    return true;
}

bool ListedNames::Cursor::next(std::u16string& name, HostName& listed)
{
    if (names_->runs_.empty()) {
        if (nextHeld_ == names_->held_.size())
            return false;
        const Held& held = names_->held_[nextHeld_++];
        name.assign(names_->nameOf(held));
        listed.assign(names_->listedOf(held));
        return true;
    }
    if (heads_.empty())
        return false;
    const auto later = [](const RunHead& a, const RunHead& b) { return nameOrderLess(b.name, a.name); };
    std::pop_heap(heads_.begin(), heads_.end(), later);
    RunHead& first = heads_.back();
    name = first.name;
    listed = first.listed;
    if (advance(first))
        std::push_heap(heads_.begin(), heads_.end(), later);
    else
        heads_.pop_back();
    return true;
}

} // namespace markroll
