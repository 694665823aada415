#include "platform/program_file.h"

#include <gtest/gtest.h>

namespace clavitone {
namespace {

TEST(ProgramFileTest, FolderHasNoTrailingSeparatorExceptAtADriveRoot)
{
    EXPECT_EQ(ProgramFolder("C:\\Program Files\\Clavitone\\Clavitone.exe"), "C:\\Program Files\\Clavitone");
    EXPECT_EQ(ProgramFolder("C:\\Clavitone.exe"), "C:\\");
    EXPECT_EQ(ProgramFolder("\\\\server\\share\\Clavitone.exe"), "\\\\server\\share");
}

TEST(ProgramFileTest, NameDropsFolderAndExtension)
{
    EXPECT_EQ(ProgramName("C:\\Program Files\\Clavitone\\Clavitone.exe"), "Clavitone");
    EXPECT_EQ(ProgramName("C:\\a.b\\My.Tool.exe"), "My.Tool");
    EXPECT_EQ(ProgramName("Clavitone"), "Clavitone");
}

}  // namespace
}  // namespace clavitone
