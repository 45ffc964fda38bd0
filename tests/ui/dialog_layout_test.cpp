// The real dialog resized, maximised and dragged: which controls follow the window, and how.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/ui/dialog_driver.h"
#include "tests/ui/window_capture.h"
#include "ui/anchor_layout.h"

namespace {

// Per axis: 0 stays, 1 the far edge takes the window's change, 2 both edges take it.
struct Anchor {
    int id;
    int horizontal;
    int vertical;
};
constexpr Anchor kAnchors[] = {
    {IDC_ADD, 2, 0},         {IDC_STOP, 2, 0},        {IDC_PATH_EDIT, 1, 0},
    {IDC_PROGRESS, 1, 2},    {IDC_STATUS, 1, 2},      {IDC_PATH_LIST, 1, 0},
    {IDC_RESULT_LIST, 1, 1}, {IDC_SEARCH_TEXT, 0, 0}, {IDC_MATCH_CASE, 0, 0},
    {IDC_EXT_FILTER, 0, 0},  {IDC_EXT_LABEL, 0, 0},   {IDC_START, 0, 0},
};

using Places = std::vector<std::string>;  // one "id: left,top right,bottom" per control

std::string Describe(int id, const RECT& r) {
    return std::to_string(id) + ": " + std::to_string(r.left) + "," + std::to_string(r.top) + " " +
           std::to_string(r.right) + "," + std::to_string(r.bottom);
}

void Shift(LONG& low, LONG& high, int mode, int change) {
    if (mode == 2) {
        low += change;
    }
    if (mode != 0) {
        high += change;
    }
}

bool Dark(COLORREF c) {
    return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 100;
}

SIZE SizeOf(HWND window) {
    RECT r;
    GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

class DialogLayout : public ::testing::Test {
  protected:
    DialogLayout() : opening_(SizeOf(ui.Dialog())), openingRects_(Rects()) {}

    RECT RectOf(int id) const {
        RECT r;
        GetWindowRect(ui.Item(id), &r);
        MapWindowPoints(HWND_DESKTOP, ui.Dialog(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    RECT Opening(int id) const {
        for (size_t i = 0; i < openingRects_.size(); ++i) {
            if (kAnchors[i].id == id) {
                return openingRects_[i];
            }
        }
        return {};
    }
    int OpeningWidth(int id) const { return Opening(id).right - Opening(id).left; }

    std::vector<RECT> Rects() const {
        std::vector<RECT> rects;
        for (const Anchor& anchor : kAnchors) {
            rects.push_back(RectOf(anchor.id));
        }
        return rects;
    }

    // Where every control is now, or belongs once the window is dx, dy larger than at `from`.
    Places Now() const { return Expected(Rects(), 0, 0); }
    static Places Expected(std::vector<RECT> from, int dx, int dy) {
        Places places;
        for (size_t i = 0; i < from.size(); ++i) {
            Shift(from[i].left, from[i].right, kAnchors[i].horizontal, dx);
            Shift(from[i].top, from[i].bottom, kAnchors[i].vertical, dy);
            places.push_back(Describe(kAnchors[i].id, from[i]));
        }
        return places;
    }

    void Sync() const {
        DWORD_PTR ignored = 0;
        SendMessageTimeoutA(ui.Dialog(), WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
    }

    void Resize(int width, int height) const {
        SetWindowPos(ui.Dialog(), nullptr, 0, 0, width, height,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Sync();
    }

    RECT Sizing(int edge, RECT drag) const {
        SendMessageA(ui.Dialog(), WM_SIZING, edge, reinterpret_cast<LPARAM>(&drag));
        return drag;
    }

    DialogDriver ui;
    SIZE opening_;
    std::vector<RECT> openingRects_;
};

TEST_F(DialogLayout, GrowingMovesOnlyTheAnchoredControlsRepaintsThemAndShrinkingUndoesIt) {
    const int dx = 137;
    const int dy = 91;
    Resize(opening_.cx + dx, opening_.cy + dy);
    ASSERT_EQ(SizeOf(ui.Dialog()).cx, opening_.cx + dx);
    EXPECT_EQ(Now(), Expected(openingRects_, dx, dy));

    // Both painted lines redraw over their whole new width, not just the part they had.
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const WindowCapture status = CaptureWindow(ui.Item(IDC_STATUS));
    ASSERT_EQ(status.width, OpeningWidth(IDC_STATUS) + dx);
    int wrong = 0;
    for (int y = 0; y < status.height; ++y) {
        for (int x = status.width / 2; x < status.width; ++x) {
            wrong += status.At(x, y) != face;
        }
    }
    EXPECT_EQ(wrong, 0);
    bool text = false;
    for (int x = 0; x < 40 && !text; ++x) {
        text = Dark(status.At(x, status.height / 2)) || Dark(status.At(x, status.height / 2 + 1));
    }
    EXPECT_TRUE(text) << "\"Ready...\" at the left";
    const WindowCapture bar = CaptureWindow(ui.Item(IDC_PROGRESS));
    ASSERT_EQ(bar.width, OpeningWidth(IDC_PROGRESS) + dx);
    EXPECT_EQ(bar.At(bar.width - 1, bar.height / 2), RGB(178, 178, 178));
    EXPECT_EQ(bar.At(0, bar.height / 2), RGB(178, 178, 178));

    Resize(opening_.cx + 20, opening_.cy + 250);
    EXPECT_EQ(Now(), Expected(openingRects_, 20, 250));
    Resize(opening_.cx, opening_.cy);
    EXPECT_EQ(Now(), Expected(openingRects_, 0, 0));
}

TEST_F(DialogLayout, MaximisedTheResultsGrowAndRestoredEverythingIsBack) {
    const HWND dialog = ui.Dialog();
    ShowWindow(dialog, SW_MAXIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsZoomed(dialog) != FALSE; }));
    Sync();
    const RECT results = RectOf(IDC_RESULT_LIST);
    const RECT before = Opening(IDC_RESULT_LIST);
    EXPECT_GT(results.right - results.left, before.right - before.left);
    EXPECT_GT(results.bottom - results.top, before.bottom - before.top);
    EXPECT_EQ(RectOf(IDC_START).left, Opening(IDC_START).left);

    ShowWindow(dialog, SW_RESTORE);
    ASSERT_TRUE(WaitUntil([&] { return IsZoomed(dialog) == FALSE; }));
    Sync();
    EXPECT_EQ(SizeOf(dialog).cx, opening_.cx);
    EXPECT_EQ(SizeOf(dialog).cy, opening_.cy);
    EXPECT_EQ(Now(), Expected(openingRects_, 0, 0));
}

TEST_F(DialogLayout, DragsBelowTheOpeningSizeAreHeldAtIt) {
    // Grown first: the floor stays the opening size, not the size the window has now.
    Resize(opening_.cx + 100, opening_.cy + 100);
    const int w = opening_.cx;
    const int h = opening_.cy;
    // Each case: the dragged edge, the rectangle offered, the rectangle the window may take.
    const struct {
        int edge;
        RECT offered;
        RECT allowed;
    } cases[] = {
        {WMSZ_LEFT, {200, 150, 200 + w - 60, 150 + h + 20}, {140, 150, 200 + w - 60, 150 + h + 20}},
        {WMSZ_LEFT, {200, 150, 200 + w - 60, 150 + h - 5}, {140, 150, 200 + w - 60, 150 + h}},
        {WMSZ_BOTTOMRIGHT, {200, 150, 200 + w - 1, 150 + h - 40}, {200, 150, 200 + w, 150 + h}},
        {WMSZ_TOPLEFT, {200, 150, 190 + w, 120 + h}, {190, 120, 190 + w, 120 + h}},
        {WMSZ_TOP, {200, 150, 190 + w, 120 + h}, {200, 120, 200 + w, 120 + h}},
        {WMSZ_TOPLEFT, {200, 150, 200 + w, 150 + h}, {200, 150, 200 + w, 150 + h}},
        {WMSZ_BOTTOMRIGHT, {-50, -40, w + 5, h + 5}, {-50, -40, w + 5, h + 5}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Describe(c.edge, Sizing(c.edge, c.offered)), Describe(c.edge, c.allowed));
    }
}

TEST_F(DialogLayout, RecaptureTakesTheCurrentPlacesAsTheNewStart) {
    Resize(opening_.cx + 60, opening_.cy + 40);
    const std::vector<RECT> grown = Rects();
    ASSERT_EQ(Expected(grown, 0, 0), Expected(openingRects_, 60, 40));
    SendMessageA(ui.Dialog(), WM_ANCHOR_RECAPTURE, 0, 0);
    RECT client;
    GetClientRect(ui.Dialog(), &client);
    SendMessageA(ui.Dialog(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.right, client.bottom));
    EXPECT_EQ(Now(), Expected(grown, 0, 0));

    Resize(opening_.cx + 60 + 33, opening_.cy + 40 + 17);
    EXPECT_EQ(Now(), Expected(grown, 33, 17));
    Resize(opening_.cx + 60, opening_.cy + 40);
    EXPECT_EQ(Now(), Expected(grown, 0, 0));
}

}  // namespace
