#include "text/ExplorerOrder.h"
#include "text/Unicode.h"
#include "tests/text/ExplorerOrderCorpus.h"

#include <gtest/gtest.h>
#include <set>
#include <shlwapi.h>
#include <string>

using namespace markroll;

namespace {

int sign(int value) { return (value > 0) - (value < 0); }

int windowsOrder(const std::u16string& a, const std::u16string& b)
{
    return sign(StrCmpLogicalW(reinterpret_cast<const wchar_t*>(a.c_str()), reinterpret_cast<const wchar_t*>(b.c_str())));
}

std::string shown(const std::u16string& a, const std::u16string& b)
{
    std::string text;
    unicode::appendUtf8(text, a + u" | " + b);
    return text;
}

} // namespace

// Windows' own StrCmpLogicalW, the comparison Explorer sorts by, against ours
// on every pair of the corpus. The names the README says the two order
// differently must differ somewhere, so the README stays true.
TEST(ExplorerOrderWindows, AgreesWithStrCmpLogicalWButWhereTheReadmeSays)
{
    // Numbers past 2^31 (StrCmpLogicalW reads them as an int that overflows),
    // signs outside ASCII, "ヴ" (Windows weighs it as "ウ" with a mark) and
    // enclosed ideographs (Windows reads "㈱" as "(株)").
    const std::set<std::u16string> differ{u"12345678901", u"12345678902", u"№1", u"ヴァイオリン", u"㈱"};
    std::set<std::u16string> differed;
    const std::vector<std::u16string> names = explorerOrderCorpus();
    for (const std::u16string& a : names)
        for (const std::u16string& b : names) {
            const int windows = windowsOrder(a, b);
            if (windows == 0 || sign(compareAsExplorer(a, b)) == windows)
                continue;
            if (differ.count(a))
                differed.insert(a);
            else if (!differ.count(b))
                ADD_FAILURE() << shown(a, b) << ": Windows says " << windows;
        }
    EXPECT_EQ(differed, differ);
}
