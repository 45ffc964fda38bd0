// The real dialog resized: the controls follow the anchor table from the last recapture, and
// drags stop at the opening size.

#include "tests/ui/dialog_driver.h"
#include "ui/anchor_layout.h"

// Control, then its mode per axis: 0 fixed, 1 stretched, 2 moved with the far edge.
static const int kAnchors[][3] = {
    {IDC_ADD, 2, 0},    {IDC_STOP, 2, 0},      {IDC_PATH_EDIT, 1, 0},   {IDC_PROGRESS, 1, 2},
    {IDC_STATUS, 1, 2}, {IDC_PATH_LIST, 1, 0}, {IDC_RESULT_LIST, 1, 1}, {IDC_START, 0, 0}};

// The controls' places in the dialog, in table order, each taken back by what its anchors give
// it when the dialog has grown by dx and dy: unchanged, when they follow the table.
static std::vector<PixelRect> Unanchored(HWND dialog, int dx, int dy) {
    std::vector<PixelRect> places;
    for (const auto& anchor : kAnchors) {
        RECT r;
        GetWindowRect(GetDlgItem(dialog, anchor[0]), &r);
        MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
        places.push_back({r.left - (anchor[1] == 2 ? dx : 0), r.top - (anchor[2] == 2 ? dy : 0),
                          r.right - (anchor[1] != 0 ? dx : 0),
                          r.bottom - (anchor[2] != 0 ? dy : 0)});
    }
    return places;
}

TEST(DialogLayout, ControlsFollowTheAnchorTableFromTheLastRecapture) {
    DialogDriver ui;
    RECT opening;
    GetWindowRect(ui.dialog, &opening);
    const int width = opening.right - opening.left, height = opening.bottom - opening.top;
    const auto resize = [&](int dx, int dy) {
        SetWindowPos(ui.dialog, nullptr, 0, 0, width + dx, height + dy, SWP_NOMOVE | SWP_NOZORDER);
        ui.OnDialogThread();
    };
    const std::vector<PixelRect> atOpening = Unanchored(ui.dialog, 0, 0);
    resize(137, 91);
    EXPECT_EQ(Unanchored(ui.dialog, 137, 91), atOpening);
    // Add moved by hand, then recaptured: it follows from its new place and the size of now.
    ui.OnDialogThread([&] {
        SetWindowPos(ui.Item(IDC_ADD), nullptr, 20, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        SendMessageA(ui.dialog, WM_ANCHOR_RECAPTURE, 0, 0);
    });
    const std::vector<PixelRect> recaptured = Unanchored(ui.dialog, 0, 0);
    resize(180, 130);
    EXPECT_EQ(Unanchored(ui.dialog, 43, 39), recaptured);

    // A drag below the opening size stops at it on the dragged side; the other side stays.
    RECT drag = {10, 20, 10 + width - 50, 20 + height + 9};
    SendMessageA(ui.dialog, WM_SIZING, WMSZ_TOPLEFT, reinterpret_cast<LPARAM>(&drag));
    EXPECT_EQ(PixelRect({drag.left, drag.top, drag.right, drag.bottom}),
              PixelRect({-40, 20, 10 + width - 50, 20 + height + 9}));
}
