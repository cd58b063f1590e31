// On Windows the page and the bookmark file are written hidden until they are
// whole; in place they show as an ordinary new file, or keep the attributes of
// the file they replace. NUL, the null device, is written into, not replaced.
#include "platform/LocalHost.h"
#include "tests/support/TestSupport.h"

#include <gtest/gtest.h>
#include <windows.h>

using namespace markroll;
using namespace markroll::test;

namespace {

DWORD attributesOf(const std::u16string& path) { return GetFileAttributesW(toFsPath(path).c_str()); }

void writeAndCommit(OutputFile& page)
{
    page.write("<HTML>\r\n");
    page.commit();
}

} // namespace

TEST(WindowsAttributes, ANewPageIsAnOrdinaryVisibleFile)
{
    TempTree tree;
    const std::u16string path = tree.path(u"page.htm");
    writeAndCommit(*LocalHost().createOutputFile(path, OutputFileKind::Page));
    const DWORD attributes = attributesOf(path);
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(attributes & FILE_ATTRIBUTE_HIDDEN) << std::hex << attributes;
}

TEST(WindowsAttributes, AReplacedFileKeepsItsAttributes)
{
    TempTree tree;
    const std::u16string path = tree.file(u"page.htm", "previous");
    ASSERT_TRUE(SetFileAttributesW(toFsPath(path).c_str(), FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_ARCHIVE));
    writeAndCommit(*LocalHost().createOutputFile(path, OutputFileKind::Page));
    EXPECT_EQ(readBytes(path), "<HTML>\r\n");
    EXPECT_TRUE(attributesOf(path) & FILE_ATTRIBUTE_HIDDEN) << std::hex << attributesOf(path);
}

TEST(WindowsAttributes, TheNullDeviceIsWrittenInto)
{
    TempTree tree;
    WorkingFolder inside(tree.path());
    auto file = LocalHost().createOutputFile(u"NUL", OutputFileKind::BookmarkFile);
    file->write("<!DOCTYPE NETSCAPE-Bookmark-file-1>\n");
    file->commit();
    EXPECT_EQ(filesIn(tree.path()), std::vector<std::string>());
}
