#pragma once

#include <filesystem>
#include <string>

namespace markroll::test {

// A tiny memory file system mounted on a folder, for a real full disk; only
// root may mount one. Unmounted when it goes out of scope.
class SmallFileSystem {
public:
    SmallFileSystem(std::filesystem::path folder, const std::string& size);
    ~SmallFileSystem();
    SmallFileSystem(const SmallFileSystem&) = delete;
    SmallFileSystem& operator=(const SmallFileSystem&) = delete;

    bool mounted() const { return mounted_; }
    static constexpr const char* SkipReason = "cannot mount a small file system here (not root, or no mount allowed)";

private:
    std::filesystem::path folder_;
    bool mounted_ = false;
};

} // namespace markroll::test

namespace markroll::test {

// A file system on a loop device whose backing file lies on a small memory
// file system: once fill() has taken the rest of that room, what is written
// stays in the cache and fails when it is written back, as on a failing disk.
// It has no journal and is mounted errors=continue, so the kernel keeps it
// writable after the failure. Only root may make one.
class FailingDisk {
public:
    explicit FailingDisk(const std::filesystem::path& folder);
    ~FailingDisk();
    FailingDisk(const FailingDisk&) = delete;
    FailingDisk& operator=(const FailingDisk&) = delete;

    bool mounted() const { return mounted_; }
    // The file system's own folder.
    std::filesystem::path root() const { return folder_ / "disk"; }
    void fill() const;
    static constexpr const char* SkipReason = "cannot mount a loop device here (not root, or no loop device)";

private:
    std::filesystem::path folder_;
    SmallFileSystem backing_;
    bool mounted_ = false;
};

} // namespace markroll::test
