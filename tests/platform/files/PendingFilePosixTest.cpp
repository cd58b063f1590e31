#include "platform/files/PendingFile.h"

#include <gtest/gtest.h>
#include <pthread.h>
#include <signal.h>

using namespace markroll;

namespace {

bool terminationHeldNow()
{
    sigset_t mask;
    pthread_sigmask(SIG_BLOCK, nullptr, &mask);
    return sigismember(&mask, SIGINT) && sigismember(&mask, SIGTERM) && sigismember(&mask, SIGHUP);
}

} // namespace

// A hold inside another ends with the outer one, never before it.
TEST(PendingFilePosix, TerminationStaysHeldUntilTheOutermostHoldEnds)
{
    ASSERT_FALSE(terminationHeldNow());
    {
        const pendingfile::TerminationHeld outer;
        {
            const pendingfile::TerminationHeld inner;
            EXPECT_TRUE(terminationHeldNow());
        }
        EXPECT_TRUE(terminationHeldNow());
    }
    EXPECT_FALSE(terminationHeldNow());
}
