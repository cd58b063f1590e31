#include "platform/Failure.h"
#include "tests/support/TestSupport.h"

#include <cerrno>
#include <gtest/gtest.h>
#include <new>
#include <stdexcept>
#include <system_error>

using namespace markroll;
using namespace markroll::test;

namespace {

template <typename Exception>
Failure caught(const Exception& exception)
{
    try {
        throw exception;
    } catch (...) {
        return currentFailure();
    }
}

} // namespace

TEST(Failure, AnOsFailureCarriesItsErrorObjectAndReason)
{
    const auto failure = failureOf([] { raiseSystemFailure(ENOSPC, u"page"); });
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->kind(), FailureKind::System);
    EXPECT_EQ(failure->error(), std::errc::no_space_on_device);
    EXPECT_EQ(failure->object(), u"page");
    EXPECT_EQ(failure->description(), u"page: " + utf16(sessionReason(ENOSPC)));
    EXPECT_FALSE(failure->isNotice());
    EXPECT_EQ(errorOf([] { raiseSystemFailure(ENOMEM, u""); }), std::errc::not_enough_memory);
    EXPECT_EQ(failureOf([] { raiseSystemFailure(ENOMEM, u""); })->kind(), FailureKind::OutOfMemory);
}

TEST(Failure, ADescriptionHasWhicheverPartThereIs)
{
    EXPECT_EQ(Failure(FailureKind::UnreadableShortcut, {}, "no URL").description(), u"no URL");
    EXPECT_EQ(Failure(FailureKind::System, u"/fav", {}).description(), u"/fav");
    EXPECT_EQ(Failure(FailureKind::FolderListFull, {}, {}).description(), u"");
    EXPECT_TRUE(Failure(FailureKind::UnreadableShortcut, {}, {}).isNotice());
    EXPECT_FALSE(Failure(FailureKind::FolderNotFlushed, {}, {}).isNotice());
}

// An exception that is not ours is taken as what it is, never as a device
// error nor as a broken shortcut.
TEST(Failure, ForeignExceptionsAreTakenAsTheirOwnKind)
{
    EXPECT_EQ(caught(std::bad_alloc()).kind(), FailureKind::OutOfMemory);
    EXPECT_EQ(caught(std::length_error("vector too long")).kind(), FailureKind::OutOfMemory);
    const Failure system = caught(std::system_error(EMFILE, std::generic_category(), "open"));
    EXPECT_EQ(system.kind(), FailureKind::System);
    EXPECT_EQ(system.error(), std::errc::too_many_files_open);
    EXPECT_EQ(caught(std::out_of_range("index")).kind(), FailureKind::Unknown);
    EXPECT_EQ(caught(std::runtime_error("other")).kind(), FailureKind::Unknown);
    EXPECT_EQ(caught(42).kind(), FailureKind::Unknown);
    const Failure ours(FailureKind::UnreadableShortcut, u"a.url", "no URL");
    EXPECT_EQ(caught(ours).object(), u"a.url");
    for (const Failure& foreign : {caught(std::bad_alloc()), caught(std::out_of_range("x")), caught(42)})
        EXPECT_FALSE(foreign.isNotice()) << foreign.what();
}
