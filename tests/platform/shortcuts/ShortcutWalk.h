#pragma once

// Listings and what the generator gets for each of their names, as text to
// compare.
#include "platform/Failure.h"
#include "platform/files/ShortcutListing.h"
#include "platform/shortcuts/ShortcutFileReader.h"
#include "shortcut/InternetShortcut.h"
#include "tests/support/TestSupport.h"

#include <string>
#include <vector>

namespace markroll::test {

// The URL of a listed entry, or whether it is unreadable or a failure, and why.
inline std::string outcomeOf(ShortcutFileReader& reader, const ListedEntry& entry)
{
    try {
        const auto url = internetShortcutTarget(reader.read(entry, MaxShortcutFileSize, entry.name));
        return url ? utf8(*url) : "no URL";
    } catch (const Failure& error) {
        return (error.isNotice() ? "unreadable: " : "failure: ") + std::string(error.what());
    }
}

// "name -> outcome" for every entry of the started listing, from `entry` (the
// one `start` gave) on.
inline std::vector<std::string> walkFrom(ShortcutListing& listing, ListedEntry entry)
{
    ShortcutFileReader reader;
    std::vector<std::string> seen;
    for (; !entry.empty(); listing.next(entry))
        seen.push_back(utf8(entry.name) + " -> " + outcomeOf(reader, entry));
    return seen;
}

using Names = std::vector<std::u16string>;

// The names a listing of `folder` gives, in its order.
inline Names listAll(ShortcutListing& listing, std::u16string_view folder)
{
    Names names;
    ListedEntry entry = listing.start(folder);
    for (; !entry.empty(); listing.next(entry))
        names.push_back(entry.name);
    return names;
}

inline Names listShortcuts(std::u16string_view folder)
{
    ShortcutListing listing;
    return listAll(listing, folder);
}

// Every name of the folder with what the generator gets for it, as it walks
// the listing; `meanwhile` runs after the listing started, before any read.
template <typename Meanwhile>
inline std::vector<std::string> walk(const std::u16string& folder, Meanwhile meanwhile)
{
    ShortcutListing listing;
    ListedEntry first = listing.start(folder);
    meanwhile();
    return walkFrom(listing, std::move(first));
}

inline std::vector<std::string> walk(const std::u16string& folder)
{
    return walk(folder, [] {});
}

// "sNNNN.url -> http://example.jp/N", as a tree of numbered shortcuts reads.
inline std::string expectedLine(int number)
{
    const std::u16string name = numbered("s%04d.url", number);
    const std::u16string url = numbered("http://example.jp/%d", number);
    return std::string(name.begin(), name.end()) + " -> " + std::string(url.begin(), url.end());
}

} // namespace markroll::test
