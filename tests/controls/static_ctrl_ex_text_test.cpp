// What screen readers and UI automation read from the painted label: the text it shows.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "controls/static_ctrl_ex.h"

TEST(StaticCtrlExText, TheWindowAnswersWithTheShownTextCutToTheBuffer) {
    HWND parent = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 300, 100, nullptr,
                                  nullptr, nullptr, nullptr);
    CreateWindowExA(0, "STATIC", "Ready...", WS_CHILD, 0, 0, 200, 20, parent,
                    reinterpret_cast<HMENU>(7), nullptr, nullptr);
    StaticCtrlEx label;
    label.Attach(parent, 7);
    SetWindowTextA(label.hwnd, "Searching file 3");
    EXPECT_EQ(SendMessageA(label.hwnd, WM_GETTEXTLENGTH, 0, 0), 16);
    const struct {
        WPARAM size;
        std::string held;  // what the buffer holds afterwards, up to its first zero
        LRESULT copied;
    } cases[] = {{17, "Searching file 3", 16},
                 {10, "Searching", 9},
                 {1, "", 0},
                 {0, std::string(79, 'x'), 0}};
    for (const auto& c : cases) {
        char buffer[80] = {};
        std::memset(buffer, 'x', sizeof buffer - 1);
        EXPECT_EQ(SendMessageA(label.hwnd, WM_GETTEXT, c.size, reinterpret_cast<LPARAM>(buffer)),
                  c.copied);
        EXPECT_EQ(buffer, c.held) << c.size;
        EXPECT_EQ(buffer[c.size], 'x') << c.size;  // nothing written beyond the buffer
    }
    DestroyWindow(parent);
}
