// What screen readers and UI automation read from the painted label: the text it shows.
#include <gtest/gtest.h>

#include <cstring>

#include "controls/static_ctrl_ex.h"

TEST(StaticCtrlExText, TheWindowAnswersWithTheShownTextCutToTheBuffer) {
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 100, nullptr,
                                  nullptr, nullptr, nullptr);
    CreateWindowExA(0, "STATIC", "Ready...", WS_CHILD, 0, 0, 200, 20, parent,
                    reinterpret_cast<HMENU>(7), nullptr, nullptr);
    StaticCtrlEx label;
    label.Attach(parent, 7);
    SetWindowTextA(label.hwnd, "Searching file 3");
    const struct {
        WPARAM size;
        const char* text;  // what the buffer holds afterwards
        LRESULT copied;
    } cases[] = {{64, "Searching file 3", 16},
                 {17, "Searching file 3", 16},
                 {10, "Searching", 9},
                 {1, "", 0},
                 {0, "", 0}};
    for (const auto& c : cases) {
        char buffer[80];
        std::memset(buffer, 'x', sizeof buffer);
        EXPECT_EQ(SendMessageA(label.hwnd, WM_GETTEXT, c.size, reinterpret_cast<LPARAM>(buffer)),
                  c.copied);
        if (c.size > 0) {
            EXPECT_STREQ(buffer, c.text) << c.size;
        }
        EXPECT_EQ(buffer[c.size], 'x') << c.size;  // nothing written beyond the buffer's size
    }
    EXPECT_EQ(SendMessageA(label.hwnd, WM_GETTEXTLENGTH, 0, 0), 16);
    SetWindowTextA(label.hwnd, "");
    EXPECT_EQ(GetWindowTextLengthA(label.hwnd), 0);
    DestroyWindow(parent);
}
