#pragma once

// What the generator gets for each name of a listing, as text to compare.
#include "InternetShortcutReader.h"
#include "LocalDirectoryListing.h"
#include "ScriptError.h"
#include "TestSupport.h"

#include <string>
#include <vector>

namespace markroll::test {

// The URL of `name` in `folder`, or the error's number and reason.
inline std::string outcomeOf(InternetShortcutReader& reader, std::u16string_view folder, std::u16string_view name)
{
    try {
        std::u16string path(folder);
        path.push_back(hostPath(u"/")[0]);
        path.append(name);
        return utf8(reader.createShortcut(path)->targetPath());
    } catch (const ScriptError& error) {
        return "error " + std::to_string(error.number()) + ": " + error.reason();
    }
}

// "name -> outcome" for every name of the started listing, from `name` (the
// one `start` gave) on.
inline std::vector<std::string> walkFrom(LocalDirectoryListing& listing, std::u16string_view folder, std::u16string name)
{
    InternetShortcutReader reader(&listing);
    std::vector<std::string> seen;
    for (; !name.empty(); name = listing.next())
        seen.push_back(utf8(name) + " -> " + outcomeOf(reader, folder, name));
    return seen;
}

} // namespace markroll::test
