// The painted label over a real static control: what it takes over, what each style paints
// (read back from the screen) and which text messages it keeps to itself.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "controls/gradient_math.h"
#include "controls/static_ctrl_ex.h"
#include "tests/ui/window_capture.h"

namespace {

constexpr int kLabelId = 1002;
constexpr int kWidth = 300;
constexpr int kHeight = 20;
constexpr COLORREF kBorder = RGB(130, 135, 144);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// The largest difference of one channel.
int Distance(COLORREF a, COLORREF b) {
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

bool Dark(COLORREF c) {
    return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 100;
}

// The columns holding a dark (text) pixel, left to right.
std::vector<int> DarkColumns(const WindowCapture& shot) {
    std::vector<int> columns;
    for (int x = 0; x < shot.width; ++x) {
        for (int y = 0; y < shot.height; ++y) {
            if (Dark(shot.At(x, y))) {
                columns.push_back(x);
                break;
            }
        }
    }
    return columns;
}

int CountNot(const WindowCapture& shot, COLORREF colour) {
    return static_cast<int>(std::count_if(shot.pixels.begin(), shot.pixels.end(),
                                          [colour](COLORREF c) { return c != colour; }));
}

// A one-pixel frame in the border colour, and a gradient inside that runs from white at both
// ends to the lightened highlight in the middle, the same on every row.
void ExpectBorderedMirroredGradient(const WindowCapture& shot) {
    const int w = shot.width;
    const int h = shot.height;
    int offBorder = 0;
    for (int x = 0; x < w; ++x) {
        offBorder += (shot.At(x, 0) != kBorder) + (shot.At(x, h - 1) != kBorder);
    }
    for (int y = 0; y < h; ++y) {
        offBorder += (shot.At(0, y) != kBorder) + (shot.At(w - 1, y) != kBorder);
    }
    EXPECT_EQ(offBorder, 0);

    const COLORREF middle = LightenColor(GetSysColor(COLOR_HIGHLIGHT));
    ASSERT_GT(Distance(middle, kWhite), 40) << "the highlight must differ from white";
    const int y = h / 2;
    EXPECT_LE(Distance(shot.At(w / 2, y), middle), 6);
    EXPECT_LE(Distance(shot.At(1, y), kWhite), 6);
    EXPECT_LE(Distance(shot.At(w - 2, y), kWhite), 6);
    for (int x = 1; x < w / 2; ++x) {
        ASSERT_LE(Distance(shot.At(x, y), shot.At(w - 1 - x, y)), 3) << "column " << x;
        ASSERT_GE(Distance(shot.At(x + 1, y), kWhite), Distance(shot.At(x, y), kWhite)) << x;
        ASSERT_EQ(shot.At(x, 1), shot.At(x, h - 2)) << "column " << x;
    }
}

class StaticCtrlExTest : public ::testing::Test {
  protected:
    void SetUp() override {
        parent_ = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 600,
                                  200, nullptr, nullptr, nullptr, nullptr);
        window_ = CreateWindowExA(WS_EX_STATICEDGE, "STATIC", "Ready...",
                                  WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 10, kWidth, kHeight, parent_,
                                  reinterpret_cast<HMENU>(kLabelId), nullptr, nullptr);
        ASSERT_NE(window_, nullptr);
        GetClientRect(window_, &clientBefore_);
        label_ = std::make_unique<StaticCtrlEx>();
        label_->Attach(parent_, kLabelId);
    }
    void TearDown() override {
        DestroyWindow(parent_);  // first: the label's window procedure reads the object
        label_.reset();
    }

    LRESULT SetText(const char* text) const {
        return SendMessageA(window_, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
    }
    WindowCapture Shown() const {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
        return CaptureWindow(window_);
    }

    HWND parent_ = nullptr;
    HWND window_ = nullptr;
    RECT clientBefore_ = {};
    std::unique_ptr<StaticCtrlEx> label_;
};

TEST_F(StaticCtrlExTest, AttachTakesTheTextAndDropsTheEdgeAndTheFrame) {
    ASSERT_LT(clientBefore_.right, kWidth) << "the static edge framed the template's control";
    EXPECT_EQ(label_->Text(), "Ready...");
    EXPECT_EQ(label_->hwnd, window_);
    EXPECT_EQ(GetWindowLongA(window_, GWL_EXSTYLE) & WS_EX_STATICEDGE, 0);
    RECT client;
    GetClientRect(window_, &client);
    EXPECT_EQ(client.right, kWidth);
    EXPECT_EQ(client.bottom, kHeight);
}

TEST_F(StaticCtrlExTest, DefaultStyleFramesAMirroredColumnGradient) {
    ASSERT_EQ(SetText(""), 1);
    const WindowCapture shot = Shown();
    ASSERT_EQ(shot.width, kWidth);
    ExpectBorderedMirroredGradient(shot);
    EXPECT_TRUE(DarkColumns(shot).empty());
}

TEST_F(StaticCtrlExTest, FaceColourIsFlatWithoutBorderAndTextIsInsetAndCut) {
    label_->SetStyle(SCX_FACECOLOR, true);
    ASSERT_EQ(SetText(""), 1);
    EXPECT_EQ(CountNot(Shown(), GetSysColor(COLOR_BTNFACE)), 0);

    ASSERT_EQ(SetText("Ready..."), 1);
    std::vector<int> dark = DarkColumns(Shown());
    ASSERT_FALSE(dark.empty());
    EXPECT_GE(dark.front(), 3);
    EXPECT_LE(dark.front(), 6);
    EXPECT_LT(dark.back(), kWidth / 2);

    const std::string wide(120, 'W');
    ASSERT_EQ(SetText(wide.c_str()), 1);
    const WindowCapture shot = Shown();
    dark = DarkColumns(shot);
    ASSERT_FALSE(dark.empty());
    EXPECT_GE(dark.front(), 3);
    EXPECT_LT(dark.back(), kWidth - 3);   // cut 3 pixels before the right edge
    EXPECT_GE(dark.back(), kWidth - 12);  // and the text really runs up to the cut
    EXPECT_NE(std::find(shot.pixels.begin(), shot.pixels.end(), RGB(0, 0, 0)), shot.pixels.end());
}

TEST_F(StaticCtrlExTest, TextsStayWithTheLabelAndErasingPaintsNothing) {
    label_->SetStyle(SCX_FACECOLOR, true);
    EXPECT_EQ(SetText(nullptr), 0);
    EXPECT_EQ(label_->Text(), "Ready...");
    EXPECT_FALSE(DarkColumns(Shown()).empty());

    EXPECT_EQ(SetText(""), 1);
    EXPECT_EQ(label_->Text(), "");
    EXPECT_TRUE(DarkColumns(Shown()).empty());

    EXPECT_EQ(SetText("Searching"), 1);
    EXPECT_EQ(label_->Text(), "Searching");
    EXPECT_FALSE(DarkColumns(Shown()).empty());
    char text[64] = {};
    GetWindowTextA(window_, text, sizeof text);
    EXPECT_STREQ(text, "Searching");

    // The paint covers everything, so erasing is left undone.
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 1, 1);
    HGDIOBJ previous = SelectObject(memory, bitmap);
    SetPixel(memory, 0, 0, RGB(255, 0, 0));
    EXPECT_EQ(SendMessageA(window_, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0), 1);
    EXPECT_EQ(GetPixel(memory, 0, 0), RGB(255, 0, 0));
    DeleteObject(SelectObject(memory, previous));
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

TEST_F(StaticCtrlExTest, GrowingRepaintsTheWholeNewArea) {
    ASSERT_EQ(SetText(""), 1);
    Shown();
    MoveWindow(window_, 10, 10, kWidth + 100, kHeight + 10, TRUE);
    const WindowCapture shot = Shown();
    ASSERT_EQ(shot.width, kWidth + 100);
    ASSERT_EQ(shot.height, kHeight + 10);
    ExpectBorderedMirroredGradient(shot);
    EXPECT_NE(shot.At(kWidth - 1, shot.height / 2), kBorder);  // the old right edge is gone
}

}  // namespace
