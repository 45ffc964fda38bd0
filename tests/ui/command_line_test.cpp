#include "ui/command_line.h"

#include <gtest/gtest.h>

#include <tuple>

#ifdef _WIN32
#include <windows.h>
#include <shellapi.h>

#include "os/utf16.h"
#endif

using Args = std::vector<std::string>;

// As CommandLineToArgvW splits (checked against it on Windows), but for the shell's quoted
// drive root: the lines marked repaired.
TEST(CommandLine, SplitsAsTheSystemDoesButKeepsABackslashBeforeAClosingQuote) {
    const std::tuple<std::string, Args, bool> cases[] = {
        {R"("C:\Program Files\S.exe" "D:\" /start)",
         {R"(C:\Program Files\S.exe)", "D:\\", "/start"},
         true},
        {R"(S.exe "C:\a\\\" x)", {"S.exe", R"(C:\a\\)", "x"}, true},
        {R"(S.exe "D:\")", {"S.exe", "D:\\"}, true},
        {R"(S.exe "say \"hi\"now" a\\b a\\\"b)",
         {"S.exe", R"(say "hi"now)", R"(a\\b)", R"(a\"b)"},
         false},
        {R"(S.exe "C:\dir\\" "a""b" c)", {"S.exe", R"(C:\dir\)", R"(a"b c)"}, false},
        {R"(S.exe "" x)", {"S.exe", "", "x"}, false},
        {"S.exe\t /text:\"two words\"  x\"y z\"", {"S.exe", "/text:two words", "xy z"}, false},
        {R"(C:\a\S.exe "目录 Отчёт")", {R"(C:\a\S.exe)", "目录 Отчёт"}, false},
        {R"("C:\a b"c d)", {R"(C:\a b)", "c", "d"}, false},
        {"S.exe", {"S.exe"}, false}};
    for (const auto& [line, args, repaired] : cases) {
        EXPECT_EQ(SplitCommandLine(line), args) << line;
#ifdef _WIN32
        int count = 0;
        wchar_t** system = CommandLineToArgvW(os::Widen(line).c_str(), &count);
        Args split;
        for (int i = 0; i < count; ++i) {
            split.push_back(os::Narrow(system[i]));
        }
        LocalFree(system);
        EXPECT_EQ(split == args, !repaired) << line;
#endif
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
