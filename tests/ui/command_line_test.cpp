#include "ui/command_line.h"

#include <gtest/gtest.h>

#include <utility>

using Args = std::vector<std::string>;

// The first three lines are repaired; each of the others splits as CommandLineToArgvW splits
// it (checked under Wine).
TEST(CommandLine, SplitsAsTheSystemDoesButKeepsABackslashBeforeAClosingQuote) {
    const std::pair<std::string, Args> cases[] = {
        {R"("C:\Program Files\S.exe" "D:\" /start)",
         {R"(C:\Program Files\S.exe)", "D:\\", "/start"}},
        {R"(S.exe "C:\a\\\" x)", {"S.exe", R"(C:\a\\)", "x"}},
        {R"(S.exe "D:\")", {"S.exe", "D:\\"}},
        {R"(S.exe "say \"hi\"now" a\\b a\\\"b)", {"S.exe", R"(say "hi"now)", R"(a\\b)", R"(a\"b)"}},
        {R"(S.exe "C:\dir\\" "a""b" c)", {"S.exe", R"(C:\dir\)", R"(a"b c)"}},
        {R"(S.exe "" x)", {"S.exe", "", "x"}},
        {"S.exe\t /text:\"two words\"  x\"y z\"", {"S.exe", "/text:two words", "xy z"}},
        {R"(C:\a\S.exe "目录 Отчёт")", {R"(C:\a\S.exe)", "目录 Отчёт"}},
        {R"("C:\a b"c d)", {R"(C:\a b)", "c", "d"}},
        {"S.exe", {"S.exe"}}};
    for (const auto& [line, args] : cases) {
        EXPECT_EQ(SplitCommandLine(line), args) << line;
    }
}

TEST(CommandLine, OptionsAnywhereInAnyCaseAndEveryOtherArgumentAPath) {
    const CommandLineOptions options = ReadCommandLine(
        {"C:\\b", "/TEXT:Needle /x", "/Ext:.TXT", "/case", "", "D:", "/Start", "/case:no"});
    EXPECT_EQ(options.paths, (Args{"C:\\b", "D:"}));
    EXPECT_EQ(options.text.value_or("-"), "Needle /x");
    EXPECT_EQ(options.extension.value_or("-"), ".TXT");
    EXPECT_TRUE(options.matchCase && options.start && options.showUsage);
    EXPECT_EQ(options.action, CommandLineOptions::Action::kOpenDialog);

    const CommandLineOptions plain = ReadCommandLine({"/text:", "x"});
    EXPECT_EQ(plain.text.value_or("-"), "");
    EXPECT_FALSE(plain.matchCase || plain.start || plain.showUsage || plain.extension);
    EXPECT_TRUE(ReadCommandLine({"/?"}).showUsage);
    EXPECT_EQ(ReadCommandLine({"/remove-menu", "/install-menu"}).action,
              CommandLineOptions::Action::kRemoveMenu);
}
