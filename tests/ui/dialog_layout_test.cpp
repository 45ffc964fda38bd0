// The real dialog resized: the controls follow the anchor table from the last recapture, and
// drags stop at the opening size.
#include <gtest/gtest.h>

#include "resources/resource_ids.h"
#include "tests/ui/dialog_driver.h"
#include "ui/anchor_layout.h"

// Control, then its mode per axis: 0 fixed, 1 stretched, 2 moved with the far edge.
static const int kAnchors[][3] = {
    {IDC_ADD, 2, 0},    {IDC_STOP, 2, 0},      {IDC_PATH_EDIT, 1, 0},   {IDC_PROGRESS, 1, 2},
    {IDC_STATUS, 1, 2}, {IDC_PATH_LIST, 1, 0}, {IDC_RESULT_LIST, 1, 1}, {IDC_START, 0, 0}};

// The window's size and its controls' places at one moment.
struct LayoutState {
    explicit LayoutState(HWND dialog) {
        RECT r;
        GetWindowRect(dialog, &r);
        size = {r.right - r.left, r.bottom - r.top};
        for (const auto& anchor : kAnchors) {
            GetWindowRect(GetDlgItem(dialog, anchor[0]), &r);
            MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
            rects.push_back({r.left, r.top, r.right, r.bottom});
        }
    }
    // Where each control belongs once the window has the size it has in `now`.
    std::vector<PixelRect> At(const LayoutState& now) const {
        std::vector<PixelRect> places;
        for (size_t i = 0; i < rects.size(); ++i) {
            const AnchorPlacement p = PlaceAnchored(rects[i], kAnchors[i][1], kAnchors[i][2],
                                                    now.size.cx - size.cx, now.size.cy - size.cy);
            places.push_back(p.move ? PixelRect{p.x, p.y, p.x + p.width, p.y + p.height}
                                    : rects[i]);
        }
        return places;
    }
    SIZE size;
    std::vector<PixelRect> rects;
};

TEST(DialogLayout, ControlsFollowTheAnchorTableFromTheLastRecapture) {
    DialogDriver ui;
    const LayoutState opening(ui.dialog);
    const auto resizeAndCheck = [&](int dx, int dy, const LayoutState& from) {
        SetWindowPos(ui.dialog, nullptr, 0, 0, opening.size.cx + dx, opening.size.cy + dy,
                     SWP_NOMOVE | SWP_NOZORDER);
        ui.Sync();
        const LayoutState now(ui.dialog);
        EXPECT_EQ(now.rects, from.At(now));
    };
    resizeAndCheck(137, 91, opening);
    // Add moved by hand, then recaptured: it follows from its new place and the size of now.
    ui.OnDialogThread([&] {
        SetWindowPos(ui.Item(IDC_ADD), nullptr, 20, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        SendMessageA(ui.dialog, WM_ANCHOR_RECAPTURE, 0, 0);
    });
    resizeAndCheck(180, 130, LayoutState(ui.dialog));

    // A drag below the opening size stops at it on the dragged side; the other side stays.
    RECT drag = {10, 20, 10 + opening.size.cx - 50, 20 + opening.size.cy + 9};
    SendMessageA(ui.dialog, WM_SIZING, WMSZ_TOPLEFT, reinterpret_cast<LPARAM>(&drag));
    EXPECT_EQ(PixelRect({drag.left, drag.top, drag.right, drag.bottom}),
              PixelRect({-40, 20, 10 + opening.size.cx - 50, 20 + opening.size.cy + 9}));
}
