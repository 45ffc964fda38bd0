// The painted label on a real static control, read back from the screen and compared with its
// gradient arithmetic. Its object lives above 4 GiB on 64-bit Windows, where a 32-bit store of
// its address in the window's data would lose it.
#include "controls/static_ctrl_ex.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <new>
#include <string>

#include "tests/ui/window_capture.h"

TEST(StaticCtrlEx, PaintsItsMirroredGradientAndBorderAndTheTextInsetThreePixels) {
    const HWND parent = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40,
                                        600, 200, nullptr, nullptr, nullptr, nullptr);
    const HWND window = CreateWindowExA(0, "STATIC", "Ready...", WS_CHILD | WS_VISIBLE, 10, 10, 300,
                                        20, parent, reinterpret_cast<HMENU>(7), nullptr, nullptr);
    void* memory = VirtualAlloc(nullptr, sizeof(StaticCtrlEx),
                                MEM_RESERVE | MEM_COMMIT | MEM_TOP_DOWN, PAGE_READWRITE);
    ASSERT_TRUE(sizeof(void*) == 4 || reinterpret_cast<std::uintptr_t>(memory) > 0xFFFFFFFFu);
    (new (memory) StaticCtrlEx)->Attach(parent, 7);
    const std::string text = "Found " + std::string(100, 'W');  // cut at the right
    EXPECT_EQ(SendMessageA(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str())), 1);
    for (const SIZE size : {SIZE{300, 20}, SIZE{420, 28}}) {  // growing repaints it all
        SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER);
        const Picture shot = CaptureWindow(window);
        Picture planned(size.cx, size.cy, RGB(255, 255, 255));
        planned.Draw(GradientLines(GradientKind::kMirroredColumns, {0, 0, size.cx, size.cy},
                                   RGB(255, 255, 255), LightenColor(GetSysColor(COLOR_HIGHLIGHT))));
        planned.Outline(RGB(130, 135, 144));
        const auto [first, last] = DifferingColumns(shot, planned);
        EXPECT_TRUE(first >= 3 && first <= 6) << first << ": the text starts at the inset";
        EXPECT_TRUE(last < size.cx - 3 && last >= size.cx - 12) << last << ": and is cut at it";
    }
    // Screen readers read the shown text, cut to their buffer.
    char shown[] = "xxxxxxxxxx";
    EXPECT_EQ(SendMessageA(window, WM_GETTEXT, 9, reinterpret_cast<LPARAM>(shown)), 8);
    EXPECT_EQ(std::string(shown, 10), std::string("Found WW\0x", 10));
    EXPECT_EQ(SendMessageA(window, WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(text.size()));
    DestroyWindow(parent);  // first: the label's window procedure reads the object
    static_cast<StaticCtrlEx*>(memory)->~StaticCtrlEx();
    VirtualFree(memory, 0, MEM_RELEASE);
}
