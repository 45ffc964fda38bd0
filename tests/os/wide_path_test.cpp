// The conversion and the long form that every W call of the platform layer takes.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <tuple>

#include "os/utf16.h"
#include "os/win32/wide_path.h"

TEST(Utf16, RoundTripsEveryNameLoneSurrogatesIncludedAndRefusesWhatIsNotUtf8) {
    const std::tuple<const char*, std::wstring, bool> cases[] = {
        {"", L"", true},
        {"Отчёт.txt", L"Отчёт.txt", true},
        {"目录\\文件", L"目录\\文件", true},
        {"note😀.txt", L"note\xD83D\xDE00.txt", true},
        {"a\xED\xA0\x80.txt", std::wstring(L"a\xD800.txt"), true},  // lone high surrogate
        {"\xED\xB0\x80", std::wstring(1, L'\xDC00'), true},         // lone low surrogate
        {"\xED\xA0\xBD\xED\xB8\x80", L"", false},  // a pair spelt as two lone surrogates
    };
    for (const auto& [utf8, utf16, valid] : cases) {
        bool ok = !valid;
        EXPECT_EQ(os::Widen(utf8, &ok), utf16) << utf8;
        EXPECT_EQ(ok, valid) << utf8;
        EXPECT_EQ(os::Narrow(utf16.data(), utf16.size()), valid ? utf8 : "");
    }
}

TEST(LongPath, MadeFullThenPrefixedButAPrefixedPathIsLeftAlone) {
    SetCurrentDirectoryW(L"C:\\windows");
    const std::pair<std::string, std::wstring> cases[] = {
        {"C:\\a\\..\\b\\.\\c", L"\\\\?\\C:\\b\\c"},
        {"rel\\x", L"\\\\?\\C:\\windows\\rel\\x"},
        {"C:\\" + std::string(300, 'n'), L"\\\\?\\C:\\" + std::wstring(300, L'n')},
        {"\\\\server\\share\\x", L"\\\\?\\UNC\\server\\share\\x"},
        {"\\\\?\\C:\\a\\..\\目录", L"\\\\?\\C:\\a\\..\\目录"},
        {"C:\\\xFF", L""},  // not UTF-8: no path
    };
    for (const auto& [path, expected] : cases) {
        std::wstring made;
        EXPECT_EQ(os::LongPath(path, made), !expected.empty()) << path;
        EXPECT_EQ(made, expected) << path;
    }
    const std::wstring share = L"\\\\?\\UNC\\s\\x";  // a final path on a share
    EXPECT_EQ(os::WithoutLongPrefix(share.data(), share.size()), "\\\\s\\x");
}
