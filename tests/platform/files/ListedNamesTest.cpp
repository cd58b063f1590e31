#include "platform/files/HostPath.h"
#include "platform/files/ListedNames.h"
#include "text/NameOrder.h"
#include "text/Unicode.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

using namespace markroll;

namespace {

std::u16string oddName(int i)
{
    std::string name = "z";
    name += std::to_string(i);
    return test::withNonUtf8Byte(name);
}

// Names that share long starts once sorted, Japanese ones, case variants and
// (on Linux) a byte that is not UTF-8, in an order far from name order.
std::vector<std::u16string> mixedNames(int count)
{
    std::vector<std::u16string> names;
    for (int i = 0; i < count; ++i) {
        const std::u16string number = unicode::fromAscii(std::to_string((i * 7919) % count));
        switch (i % 4) {
        case 0: names.push_back(u"名前" + number + u".url"); break;
        case 1: names.push_back(u"Bank & Bank " + number + u".URL"); break;
        case 2: names.push_back(u"bank & bank " + number + u".url"); break;
        default: names.push_back(oddName(i));
        }
    }
    names.push_back(u"");
    return names;
}

HostName listedFormOf(std::u16string_view name) { return markroll::test::toHostName(name); }

std::shared_ptr<ListedNames> namesOf(const std::vector<std::u16string>& names, std::size_t runNames)
{
    auto listed = std::make_shared<ListedNames>(runNames);
    for (const std::u16string& name : names)
        listed->add(name, listedFormOf(name));
    listed->sort();
    return listed;
}

std::vector<std::pair<std::u16string, HostName>> readAll(ListedNames::Cursor& cursor)
{
    std::vector<std::pair<std::u16string, HostName>> read;
    std::u16string name;
    HostName listed;
    while (cursor.next(name, listed))
        read.emplace_back(name, listed);
    return read;
}

} // namespace

// Held whole, in runs of a few names, and one name a run: every name comes
// back once, in name order, with its own listed form.
TEST(ListedNames, EveryNameOnceInNameOrderHeldWholeOrMergedFromRuns)
{
    std::vector<std::u16string> expected = mixedNames(3001);
    const auto names = mixedNames(3001);
    sortByNameOrder(expected);
    for (const std::size_t runNames : {std::size_t(100000), std::size_t(7), std::size_t(1)}) {
        SCOPED_TRACE("run of " + std::to_string(runNames));
        const auto listed = namesOf(names, runNames);
        ASSERT_EQ(listed->size(), expected.size());
        ListedNames::Cursor cursor(listed);
        const auto read = readAll(cursor);
        ASSERT_EQ(read.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            ASSERT_EQ(read[i].first, expected[i]) << "at " << i << ": " << unicode::encodeUtf8(read[i].first)
                                                  << " where " << unicode::encodeUtf8(expected[i]) << " belongs";
            ASSERT_EQ(read[i].second, listedFormOf(expected[i])) << "at " << i;
        }
    }
}

// Names of 128 bytes and more, sharing starts of 128 and more once sorted:
// the front-coded runs keep every one whole.
TEST(ListedNames, LongNamesWithLongSharedStartsComeBackWhole)
{
    const std::u16string start(150, u'k');
    std::vector<std::u16string> names;
    for (int i = 0; i < 40; ++i)
        names.push_back(start + std::u16string(std::size_t(i % 7) * 40, u'名') + unicode::fromAscii(std::to_string(i)));
    std::vector<std::u16string> expected = names;
    sortByNameOrder(expected);
    for (const std::size_t runNames : {std::size_t(3), std::size_t(1)}) {
        ListedNames::Cursor cursor(namesOf(names, runNames));
        const auto read = readAll(cursor);
        ASSERT_EQ(read.size(), expected.size());
        for (std::size_t i = 0; i < expected.size(); ++i) {
            ASSERT_EQ(read[i].first, expected[i]) << "at " << i << " in runs of " << runNames;
            ASSERT_EQ(read[i].second, listedFormOf(expected[i])) << "at " << i;
        }
    }
}

// The helpers that read ahead keep a cursor of their own beside the
// generator's: neither moves the other.
TEST(ListedNames, CursorsKeepTheirOwnPlace)
{
    const auto listed = namesOf(mixedNames(50), 8);
    ListedNames::Cursor first(listed);
    ListedNames::Cursor second(listed);
    std::u16string name;
    HostName form;
    ASSERT_TRUE(first.next(name, form));
    ASSERT_TRUE(first.next(name, form));
    const auto fromSecond = readAll(second);
    const auto restOfFirst = readAll(first);
    ASSERT_EQ(fromSecond.size(), restOfFirst.size() + 2);
    EXPECT_TRUE(std::equal(restOfFirst.begin(), restOfFirst.end(), fromSecond.begin() + 2));
}

TEST(ListedNames, AnEmptyListingReadsNothing)
{
    for (const std::size_t runNames : {std::size_t(1), std::size_t(16)}) {
        const auto listed = namesOf({}, runNames);
        EXPECT_TRUE(listed->empty());
        ListedNames::Cursor cursor(listed);
        EXPECT_TRUE(readAll(cursor).empty());
    }
}
