#include "fuzz/FuzzChecks.h"
#include "tests/support/TestSupport.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

// Every input the fuzzers kept, run through the same checks as a plain test.
void checkCorpus(const std::string& name, std::string (*check)(const std::uint8_t*, std::size_t))
{
    const std::filesystem::path corpus = std::filesystem::path(MARKROLL_FUZZ_CORPUS_DIR) / name;
    std::vector<std::filesystem::path> inputs;
    for (const auto& entry : std::filesystem::directory_iterator(corpus))
        inputs.push_back(entry.path());
    std::sort(inputs.begin(), inputs.end());
    ASSERT_FALSE(inputs.empty()) << "no corpus in " << corpus;
    for (const auto& input : inputs) {
        const std::string bytes = markroll::test::readFileBytes(input);
        EXPECT_EQ(check(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), "") << input.filename();
    }
}

} // namespace

TEST(FuzzCorpus, ShortcutReader) { checkCorpus("shortcut_reader", markroll::fuzz::checkShortcutReader); }

TEST(FuzzCorpus, PageEscaping) { checkCorpus("page_escaping", markroll::fuzz::checkPageEscaping); }

TEST(FuzzCorpus, WholeRun) { checkCorpus("whole_run", markroll::fuzz::checkWholeRun); }
