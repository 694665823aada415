#include "platform/instance_mutex.h"

#include <gtest/gtest.h>

namespace clavitone {
namespace {

constexpr unsigned long NoError = 0;
constexpr unsigned long ErrorInvalidHandle = 6;  // the name belongs to another kind of object
constexpr unsigned long ErrorNotEnoughMemory = 8;

TEST(InstanceMutexTest, NewMutexMeansFirstInstance)
{
    EXPECT_FALSE(InstanceMutexShowsRunningInstance(true, NoError));
}

TEST(InstanceMutexTest, ExistingMutexMeansRunningInstance)
{
    EXPECT_TRUE(InstanceMutexShowsRunningInstance(true, ErrorAlreadyExists));
}

// An instance with higher rights (started elevated) owns a mutex this
// process may not open: it runs all the same.
TEST(InstanceMutexTest, MutexDeniedToUsMeansRunningInstance)
{
    EXPECT_TRUE(InstanceMutexShowsRunningInstance(false, ErrorAccessDenied));
}

// Without a mutex nothing is known of other instances; the program runs
// rather than refusing to start forever.
TEST(InstanceMutexTest, OtherFailuresDoNotStopTheProgram)
{
    EXPECT_FALSE(InstanceMutexShowsRunningInstance(false, ErrorInvalidHandle));
    EXPECT_FALSE(InstanceMutexShowsRunningInstance(false, ErrorNotEnoughMemory));
    EXPECT_FALSE(InstanceMutexShowsRunningInstance(false, NoError));
}

}  // namespace
}  // namespace clavitone
