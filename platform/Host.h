#pragma once

#include "platform/Failure.h"
#include "platform/FileIdentity.h"
#include "platform/ListedEntry.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace markroll {

// What a folder's listing gave: its direct sub-folders in name order, and the
// entries that could not be told to be folders or not (a type or a link
// target the OS would not tell), each left out with its failure, in name
// order. One bad entry never hides the folder's others.
struct SubfolderList {
    std::vector<std::u16string> names;
    std::vector<Failure> entryFailures;
};

// A file being written aside: each write() is of whole lines, encoded and
// ended as the file's format says. commit() puts it on the disk and in its
// place and raises a failed write's failure; a file dropped without commit()
// was never finished, and its temporary file is removed. What a failed write
// leaves is the file's own: see OutputFileKind.
class OutputFile {
public:
    virtual ~OutputFile() = default;
    virtual void write(std::string_view bytes) = 0;
    virtual void commit() = 0;
};

// Room on the disk for what a run sets aside and reads back later, so what
// it holds need not fit in memory. Removed when dropped, and when the process
// is told to end. Its descriptor is open only while bytes are added, and from
// the first read on.
class ScratchFile {
public:
    virtual ~ScratchFile() = default;
    // Adds `bytes` at the end.
    virtual void append(std::string_view bytes) = 0;
    // Fills `into` from `offset` on; raises when the file ends before.
    virtual void read(std::uint64_t offset, std::span<char> into) = 0;
};

enum class OutputFileKind {
    // After a failed write, commit() still puts the page in place with every
    // whole write before the failure; a page that cannot be put on the disk
    // is dropped, and the previous one stays. Its descriptor is held from
    // creation to commit.
    Page,
    // Whole or nothing: after a failed write, commit() drops it and the
    // previous file stays. Written through instead when its path is "-" or
    // leads to standard output, a device or a pipe. Its descriptor is open
    // only while bytes are written, so the shortcuts' reads have the same
    // room with it or without it.
    BookmarkFile,
};

// A file's or folder's times, in seconds since 1970 (UTC), as far as the
// file system keeps them.
struct FileTimes {
    std::optional<std::int64_t> created;
    std::optional<std::int64_t> modified;
};

// What the generator needs of the machine it runs on. Every failure is a
// Failure; paths are the texts the user typed, joined.
class Host {
public:
    virtual ~Host() = default;
    // `parent` and `child` joined by the host's one separator.
    virtual std::u16string joinPath(std::u16string_view parent, std::u16string_view child) const = 0;
    virtual char16_t separator() const = 0;
    // A path or name as a person should read it: on Linux a name of bytes
    // that are not UTF-8 (code page 932 names copied from Windows) as its
    // text; as it is otherwise.
    virtual std::u16string readableText(std::u16string_view text) const = 0;
    // Raises only when the folder itself cannot be listed.
    virtual SubfolderList listSubfolders(std::u16string_view folder) = 0;
    // The first of the ordinary, visible files of `folder` whose names end
    // in ".url" (letter case aside), in name order; an entry with the empty
    // name when there is none. A new listing abandons the previous one.
    virtual ListedEntry listShortcuts(std::u16string_view folder) = 0;
    // Puts the listing's next file into `entry`, whose room is kept.
    virtual void nextShortcut(ListedEntry& entry) = 0;
    // The bytes of the listed file `entry`, shown as `shownPath` in messages,
    // when it is an ordinary file of at most `limit` bytes; valid until the
    // next read. A file that cannot be read on its own account (gone, not
    // ordinary, too large) is an UnreadableShortcut failure.
    virtual std::string_view readListedFile(const ListedEntry& entry, std::size_t limit,
                                            std::u16string_view shownPath) = 0;
    // A new file at `path`, to replace what stands there once committed.
    virtual std::unique_ptr<OutputFile> createOutputFile(std::u16string_view path, OutputFileKind kind) = 0;
    // A new, empty scratch file in the system's folder for temporary files.
    virtual std::unique_ptr<ScratchFile> createScratchFile() = 0;
    // The folder at `path` as the OS finds it: absolute, with no "." or ".."
    // parts; `path` itself when the OS will not tell.
    virtual std::u16string resolvedPath(std::u16string_view path) = 0;
    // The times of the file or folder at `path`, following a link; none
    // that the file system does not tell.
    virtual FileTimes timesOf(std::u16string_view path) = 0;
    // The same of a listed shortcut, found in its folder by its listed name.
    virtual FileTimes timesOf(const ListedEntry& entry, std::u16string_view shownPath) = 0;
    // Where the folder at `path` lives, following links, so a folder reached
    // again through another link is known; none when the OS will not tell.
    virtual std::optional<FileIdentity> identityOf(std::u16string_view path) = 0;
};

} // namespace markroll
