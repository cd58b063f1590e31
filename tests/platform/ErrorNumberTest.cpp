#include "ScriptError.h"
#include "TestSupport.h"

#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

using namespace markroll;
using namespace markroll::test;

TEST(ErrorNumbers, OsFailuresMapToTheNumbersWindowsUses)
{
    EXPECT_EQ(errorNumberForErrno(ENOENT, PathNotFound), PathNotFound);
    EXPECT_EQ(errorNumberForErrno(ENOENT, FileNotFound), FileNotFound);
    EXPECT_EQ(errorNumberForErrno(ENOTDIR, FileNotFound), PathNotFound);
    EXPECT_EQ(errorNumberForErrno(EACCES, PathNotFound), PermissionDenied);
    EXPECT_EQ(errorNumberForErrno(EPERM, PathNotFound), PermissionDenied);
    EXPECT_EQ(errorNumberForErrno(EROFS, PathNotFound), PermissionDenied);
    EXPECT_EQ(errorNumberForErrno(EISDIR, PathNotFound), PermissionDenied);
    EXPECT_EQ(errorNumberForErrno(ENOSPC, PathNotFound), DiskFull);
#ifdef EDQUOT
    EXPECT_EQ(errorNumberForErrno(EDQUOT, PathNotFound), DiskFull);
#endif
    EXPECT_EQ(errorNumberForErrno(EIO, PathNotFound), DeviceIoError);
    EXPECT_EQ(errorNumberForErrno(ENAMETOOLONG, PathNotFound), BadFileName);
#ifdef ELOOP
    EXPECT_EQ(errorNumberForErrno(ELOOP, PathNotFound), BadFileName);
#endif
    EXPECT_EQ(errorNumberForErrno(EEXIST, PathNotFound), FileAlreadyExists);
}

TEST(ErrorNumbers, ADescriptionHasWhicheverPartThereIs)
{
    EXPECT_EQ(ScriptError(5, "no URL").description(), u"no URL");
    EXPECT_EQ(ScriptError(76, u"/fav").description(), u"/fav");
    EXPECT_EQ(ScriptError(9).description(), u"");
}

TEST(ErrorNumbers, TheNumberTravelsWithTheError)
{
    try {
        raiseOsError(ENOSPC, PathNotFound, u"page");
        FAIL() << "nothing raised";
    } catch (const ScriptError& error) {
        EXPECT_EQ(error.number(), 61);
        EXPECT_EQ(error.object(), u"page");
        EXPECT_EQ(error.reason(), sessionReason(ENOSPC));
        EXPECT_EQ(error.description(), u"page: " + utf16(sessionReason(ENOSPC)));
    }
}
