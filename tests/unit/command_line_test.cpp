#include <gtest/gtest.h>

#include "app/command_line.h"

namespace quorvel {
namespace {

constexpr std::string_view kModule = "C:\\Program Files\\Quorvel\\Quorvel.exe";

TEST(CommandLine, TheQuotedRegistrationIsAnAutomaticStart) {
    EXPECT_TRUE(
        IsAutomaticStart(ProgramArguments("\"C:\\Program Files\\Quorvel\\Quorvel.exe\" -auto", kModule)));
    EXPECT_TRUE(IsAutomaticStart(ProgramArguments("\"C:\\Q\\Quorvel.exe\"   -auto", "C:\\Q\\Quorvel.exe")));
}

TEST(CommandLine, AnUnquotedPathWithBlanksIsRecognisedByTheModulePath) {
    // Windows keeps such a command line as it was registered; only the module's own path tells
    // where the program's path ends.
    EXPECT_TRUE(IsAutomaticStart(ProgramArguments("C:\\Program Files\\Quorvel\\Quorvel.exe -auto", kModule)));
    EXPECT_TRUE(IsAutomaticStart(ProgramArguments("c:\\program files\\quorvel\\QUORVEL.EXE -auto", kModule)));
    EXPECT_TRUE(IsAutomaticStart(ProgramArguments("C:\\Tools\\Quorvel.exe -auto", "C:\\Tools\\Quorvel.exe")));
    EXPECT_TRUE(IsAutomaticStart(ProgramArguments("Quorvel.exe -auto", kModule)));
}

TEST(CommandLine, AnythingButExactlyTheSwitchIsANormalStart) {
    for (const char* line :
         {"\"C:\\Q\\Quorvel.exe\"", "\"C:\\Q\\Quorvel.exe\" -AUTO", "\"C:\\Q\\Quorvel.exe\" -auto ",
          "\"C:\\Q\\Quorvel.exe\" -auto x", "\"C:\\Q\\Quorvel.exe\" /auto", "\"C:\\Q\\Quorvel.exe",
          "C:\\Program Files\\Quorvel\\Quorvel.exe -auto2", ""}) {
        EXPECT_FALSE(IsAutomaticStart(ProgramArguments(line, kModule))) << line;
    }
}

TEST(CommandLine, ArgumentsKeepWhatFollowsTheSeparatingBlanks) {
    EXPECT_EQ(ProgramArguments("\"C:\\Q\\Quorvel.exe\"  -auto x ", kModule), "-auto x ");
    EXPECT_EQ(ProgramArguments("C:\\Program Files\\Quorvel\\Quorvel.exe", kModule), "");
    EXPECT_EQ(ProgramArguments("other.exe\t-auto", kModule), "-auto");
}

TEST(CommandLine, TheSwitchRunTogetherWithTheUnquotedPathIsNoAutomaticStart) {
    EXPECT_FALSE(IsAutomaticStart(ProgramArguments("C:\\Program Files\\Quorvel\\Quorvel.exe-auto", kModule)));
    EXPECT_FALSE(IsAutomaticStart(ProgramArguments("C:\\Tools\\Quorvel.exe-auto", "C:\\Tools\\Quorvel.exe")));
}

TEST(CommandLine, TheTakeOverNamesAProcessOnlyByDigitsAlone) {
    EXPECT_EQ(ProcessToWaitFor("-after 12"), 12u);
    EXPECT_EQ(ProcessToWaitFor("-after 12x"), std::nullopt);
    EXPECT_EQ(ProcessToWaitFor("-after12"), std::nullopt);
}

}  // namespace
}  // namespace quorvel
