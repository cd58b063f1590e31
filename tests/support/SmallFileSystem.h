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
