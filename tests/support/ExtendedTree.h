#pragma once

#include "tests/support/TestSupport.h"

#include <string>
#include <string_view>

namespace markroll::test {

// A scratch tree made and removed through the OS's extended-length paths, so
// it can hold what ordinary Win32 paths cannot reach: paths past 260
// characters, names ending in a dot or a space. Relative paths use "\".
class ExtendedTree {
public:
    ExtendedTree() = default;
    ~ExtendedTree();
    ExtendedTree(const ExtendedTree&) = delete;
    ExtendedTree& operator=(const ExtendedTree&) = delete;

    std::u16string path() const { return scratch_.path(); }
    std::u16string path(std::u16string_view relative) const;
    std::u16string folder(std::u16string_view relative) const;
    std::u16string shortcut(std::u16string_view relative, std::u16string_view url) const;

private:
    TempTree scratch_;
};

// A file or folder held open without sharing: listing it, or even asking for
// its attributes, fails with a sharing violation while the hold lives.
class ExclusiveHold {
public:
    explicit ExclusiveHold(std::u16string_view path);
    ~ExclusiveHold();
    ExclusiveHold(const ExclusiveHold&) = delete;
    ExclusiveHold& operator=(const ExclusiveHold&) = delete;
    bool held() const { return handle_ != invalidHandle(); }

private:
    static void* invalidHandle() { return reinterpret_cast<void*>(-1); }
    void* handle_;
};

} // namespace markroll::test
