#include "os/utf16.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>

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
