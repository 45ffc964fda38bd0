// The conversion and the long form that every W call of the platform layer takes.
#include "os/utf16.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <utility>

#include "os/win32/wide_path.h"

TEST(Utf16, RoundTripsEveryNameLoneSurrogatesIncluded) {
    const std::pair<const char*, std::wstring> cases[] = {
        {"", L""},
        {"a.txt", L"a.txt"},
        {"Отчёт.txt", L"Отчёт.txt"},
        {"目录\\文件", L"目录\\文件"},
        {"note😀.txt", L"note\xD83D\xDE00.txt"},
        {"a\xED\xA0\x80.txt", std::wstring(L"a\xD800.txt")},  // lone high surrogate
        {"\xED\xB0\x80", std::wstring(1, L'\xDC00')},         // lone low surrogate
    };
    for (const auto& [utf8, utf16] : cases) {
        bool ok = false;
        EXPECT_EQ(os::Widen(utf8, &ok), utf16) << utf8;
        EXPECT_TRUE(ok) << utf8;
        EXPECT_EQ(os::Narrow(utf16.data(), utf16.size()), utf8);
    }
}

TEST(Utf16, RefusesTextThatIsNotUtf8) {
    for (const char* text : {"\x80", "a\xC0\xAF", "\xE0\x80\xAF", "\xF4\x90\x80\x80", "\xE6\x96",
                             "\xFF", "\xED\xA0\xBD\xED\xB8\x80"}) {  // the last: a split pair
        bool ok = true;
        EXPECT_TRUE(os::Widen(text, &ok).empty()) << text;
        EXPECT_FALSE(ok) << text;
    }
}

TEST(LongPath, MadeFullThenPrefixedButAPrefixedPathIsLeftAlone) {
    SetCurrentDirectoryW(L"C:\\windows");
    const std::wstring longName(300, L'n');
    const std::pair<std::string, std::wstring> cases[] = {
        {"C:\\a\\..\\b\\.\\c", L"\\\\?\\C:\\b\\c"},
        {"rel\\x", L"\\\\?\\C:\\windows\\rel\\x"},
        {"C:\\" + std::string(300, 'n'), L"\\\\?\\C:\\" + longName},
        {"\\\\server\\share\\x", L"\\\\?\\UNC\\server\\share\\x"},
        {"\\\\?\\C:\\a\\..\\b", L"\\\\?\\C:\\a\\..\\b"},
        {"C:\\目录", L"\\\\?\\C:\\目录"},
    };
    for (const auto& [path, expected] : cases) {
        std::wstring made;
        EXPECT_TRUE(os::LongPath(path, made)) << path;
        EXPECT_EQ(made, expected) << path;
    }
    std::wstring made;
    EXPECT_FALSE(os::LongPath("C:\\\xFF", made));
    const std::wstring finals[] = {L"\\\\?\\UNC\\server\\share\\x", L"\\\\?\\C:\\b", L"C:\\b"};
    EXPECT_EQ(os::WithoutLongPrefix(finals[0].data(), finals[0].size()), "\\\\server\\share\\x");
    EXPECT_EQ(os::WithoutLongPrefix(finals[1].data(), finals[1].size()), "C:\\b");
    EXPECT_EQ(os::WithoutLongPrefix(finals[2].data(), finals[2].size()), "C:\\b");
}
