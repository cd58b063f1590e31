#include "generator/SetAsideLinks.h"

#include "platform/Failure.h"
#include "platform/Host.h"
#include "text/ExplorerOrder.h"

#include <algorithm>
#include <cstring>
#include <queue>
#include <utility>
#include <system_error>

namespace markroll {
namespace {

// Memory the links held before they are set aside may take, and the room
// each run is written and read back through.
constexpr std::size_t HeldBudget = 256 * 1024;
constexpr std::size_t WriteRoom = 16 * 1024;
constexpr std::size_t ReadRoom = 4 * 1024;

void appendCount(std::string& record, std::uint32_t count)
{
    char bytes[sizeof count];
    std::memcpy(bytes, &count, sizeof count);
    record.append(bytes, sizeof count);
}

} // namespace

// The records of one run, in order: each a count of name units, the name,
// a count of line bytes and the line.
class SetAsideLinks::RunReader {
public:
    RunReader(ScratchFile& scratch, Run run) : scratch_(scratch), offset_(run.offset), end_(run.offset + run.size) {}

    // False at the run's end.
    bool next()
    {
        at_ += std::exchange(recordSize_, 0);
        if (at_ == buffer_.size() && offset_ == end_)
            return false;
        const std::size_t nameBytes = 2 * std::size_t(countAt(0));
        const std::size_t lineBytes = countAt(4 + nameBytes);
        const std::size_t lineAt = 8 + nameBytes;
        need(lineAt + lineBytes);
        name_.resize(nameBytes / 2);
        std::memcpy(name_.data(), buffer_.data() + at_ + 4, nameBytes);
        line_ = std::string_view(buffer_).substr(at_ + lineAt, lineBytes);
        recordSize_ = lineAt + lineBytes;
        return true;
    }
    std::u16string_view name() const { return name_; }
    std::string_view line() const { return line_; }

private:
    // The count at `at` in the current record.
    std::uint32_t countAt(std::size_t at)
    {
        need(at + 4);
        std::uint32_t count;
        std::memcpy(&count, buffer_.data() + at_ + at, sizeof count);
        return count;
    }
    // At least `bytes` of the current record in the buffer, or the run is broken.
    void need(std::size_t bytes)
    {
        if (buffer_.size() - at_ >= bytes)
            return;
        buffer_.erase(0, std::exchange(at_, 0));
        const std::uint64_t wanted = std::max<std::uint64_t>(bytes - buffer_.size(), ReadRoom);
        const std::size_t more = std::size_t(std::min<std::uint64_t>(wanted, end_ - offset_));
        if (buffer_.size() + more < bytes)
            throw Failure(FailureKind::System, {}, "the scratch file ends early",
                          std::make_error_code(std::errc::io_error));
        const std::size_t had = buffer_.size();
        buffer_.resize(had + more);
        scratch_.read(offset_, std::span<char>(buffer_.data() + had, more));
        offset_ += more;
    }

    ScratchFile& scratch_;
    std::uint64_t offset_;
    std::uint64_t end_;
    std::string buffer_;
    // Where the current record starts in the buffer, and its size.
    std::size_t at_ = 0;
    std::size_t recordSize_ = 0;
    std::u16string name_;
    std::string_view line_;
};

SetAsideLinks::SetAsideLinks(Host& host) : host_(host) {}

SetAsideLinks::~SetAsideLinks() = default;

void SetAsideLinks::add(std::size_t folder, std::u16string_view name, std::string_view line)
{
    heldFolder_ = folder;
    held_.push_back({std::uint32_t(heldNames_.size()), std::uint32_t(name.size()), std::uint32_t(heldLines_.size()),
                     std::uint32_t(line.size())});
    heldNames_.append(name);
    heldLines_.append(line);
    if (2 * heldNames_.size() + heldLines_.size() + sizeof(HeldLink) * held_.size() > HeldBudget)
        setAside();
}

void SetAsideLinks::setAside()
{
    if (held_.empty())
        return;
    const std::u16string_view names = heldNames_;
    const auto nameOf = [names](const HeldLink& link) { return names.substr(link.nameAt, link.nameSize); };
    std::sort(held_.begin(), held_.end(),
              [&](const HeldLink& a, const HeldLink& b) { return explorerOrderLess(nameOf(a), nameOf(b)); });
    if (!scratch_)
        scratch_ = host_.createScratchFile();
    if (runs_.size() <= heldFolder_)
        runs_.resize(heldFolder_ + 1);
    const std::uint64_t start = scratchSize_;
    for (const HeldLink& link : held_) {
        appendCount(records_, link.nameSize);
        records_.append(reinterpret_cast<const char*>(heldNames_.data() + link.nameAt), 2 * std::size_t(link.nameSize));
        appendCount(records_, link.lineSize);
        records_.append(heldLines_, link.lineAt, link.lineSize);
        if (records_.size() >= WriteRoom)
            writeRecords();
    }
    writeRecords();
    runs_[heldFolder_].push_back({start, scratchSize_ - start});
    held_.clear();
    heldNames_.clear();
    heldLines_.clear();
}

void SetAsideLinks::writeRecords()
{
    scratch_->append(records_);
    scratchSize_ += records_.size();
    records_.clear();
}

// The runs' heads on a heap, the name that comes first on top; a tie goes to
// the earlier run, so the merge is stable.
void SetAsideLinks::forEachOf(std::size_t folder, const std::function<void(std::string_view line)>& take)
{
    if (folder >= runs_.size() || runs_[folder].empty())
        return;
    std::vector<RunReader> readers;
    readers.reserve(runs_[folder].size());
    for (const Run& run : runs_[folder])
        readers.emplace_back(*scratch_, run);
    const auto later = [&readers](std::size_t a, std::size_t b) {
        const int order = compareAsExplorer(readers[a].name(), readers[b].name());
        return order != 0 ? order > 0 : a > b;
    };
    std::priority_queue<std::size_t, std::vector<std::size_t>, decltype(later)> heads(later);
    for (std::size_t index = 0; index < readers.size(); ++index)
        if (readers[index].next())
            heads.push(index);
    while (!heads.empty()) {
        const std::size_t index = heads.top();
        heads.pop();
        take(readers[index].line());
        if (readers[index].next())
            heads.push(index);
    }
}

} // namespace markroll
