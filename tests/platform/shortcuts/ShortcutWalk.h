#pragma once

// What the generator gets for each name of a listing, as text to compare.
#include "platform/Failure.h"
#include "platform/files/LocalDirectoryListing.h"
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
inline std::vector<std::string> walkFrom(LocalDirectoryListing& listing, ListedEntry entry)
{
    ShortcutFileReader reader;
    std::vector<std::string> seen;
    for (; !entry.empty(); listing.next(entry))
        seen.push_back(utf8(entry.name) + " -> " + outcomeOf(reader, entry));
    return seen;
}

} // namespace markroll::test
