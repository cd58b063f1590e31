#pragma once

// What the whole-run tests share: golden pages, and runs from inside a tree.
#include "platform/files/HostPath.h"
#include "tests/support/FaultyHost.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>

namespace markroll::test {

inline std::u16string goldenPath(std::u16string_view name) { return dataPath(u"pages/" + std::u16string(name) + u".htm"); }

inline std::string expectedPage(std::u16string_view name) { return withHostSeparators(readBytes(goldenPath(name))); }

inline void writeFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// Compares a page with its golden file. A differing page is written to
// build/tests/golden-actual/, for diff. With
// MARKROLL_UPDATE_GOLDEN=1 the golden file is rewritten instead.
inline ::testing::AssertionResult matchesGolden(const char*, const char* actualExpression, std::u16string_view name,
                                         const std::string& actual)
{
    if (std::getenv("MARKROLL_UPDATE_GOLDEN") && hostSeparator() == u'/') {
        writeFile(toFsPath(goldenPath(name)), actual);
        return ::testing::AssertionSuccess();
    }
    const auto result = samePage("the golden page", actualExpression, expectedPage(name), actual);
    if (result)
        return result;
    const auto written = std::filesystem::path(MARKROLL_TEST_OUTPUT_DIR) / "golden-actual" / (utf8(name) + ".htm");
    writeFile(written, actual);
    return ::testing::AssertionFailure() << result.message() << "\n  the actual page: " << written.string();
}

#define EXPECT_GOLDEN(name, actual) EXPECT_PRED_FORMAT2(matchesGolden, name, actual)

// The page of a run over `favorites`, a path relative to `tree`.
inline std::string pageFor(GeneratorHarness& harness, TempTree& tree, std::u16string_view favorites)
{
    TempTree out;
    WorkingFolder inside(tree.path());
    return harness.run(favorites, out.path());
}

} // namespace markroll::test
