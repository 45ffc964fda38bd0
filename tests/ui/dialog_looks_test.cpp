// The real dialog's looks: the painted progress bar and status line read back from the screen
// against their plain arithmetic, and the controls' places as the dialog is resized.

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <tuple>

#include "controls/progress_bar_state.h"
#include "tests/ui/dialog_driver.h"
#include "ui/anchor_layout.h"
#include "ui/app_state.h"
#include "ui/window_dpi.h"

// What a window shows or should show, row by row from the top.
struct Picture {
    Picture(int w, int h, COLORREF background) : width(w), height(h), pixels(w * h, background) {}
    // Lines one pixel wide, cut at the right and bottom edges, where the planned lines overrun.
    void Draw(const std::vector<GradientLine>& lines) {
        for (const GradientLine& l : lines) {
            for (int y = l.y0; y < std::min(std::max(l.y1, l.y0 + 1), height); ++y) {
                for (int x = l.x0; x < std::min(std::max(l.x1, l.x0 + 1), width); ++x) {
                    pixels[y * width + x] = l.colour;
                }
            }
        }
    }
    void Outline(COLORREF c) {
        Draw({{0, 0, width, 0, c},
              {0, height - 1, width, height - 1, c},
              {0, 0, 0, height, c},
              {width - 1, 0, width - 1, height, c}});
    }

    int width, height;
    std::vector<COLORREF> pixels;
};

// Lets the window's thread finish its pending paints, then copies the whole window, frame
// included.
static Picture CaptureWindow(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    SendMessageA(GetAncestor(window, GA_ROOT), WM_NULL, 0, 0);
    RECT rect;
    GetWindowRect(window, &rect);
    Picture shot(rect.right - rect.left, rect.bottom - rect.top, 0);
    const HDC dc = GetWindowDC(window);
    for (int i = 0; i < shot.width * shot.height; ++i) {
        shot.pixels[i] = GetPixel(dc, i % shot.width, i / shot.width);
    }
    ReleaseDC(window, dc);
    return shot;
}

// The first and last columns where the pictures differ, or {width, -1}; the four corner pixels
// are left out, as rounded outlines leave them to the system.
static std::pair<int, int> DifferingColumns(const Picture& shot, const Picture& expected) {
    std::pair<int, int> columns{shot.width, -1};
    for (int i = 0; i < shot.width * shot.height; ++i) {
        const int x = i % shot.width, y = i / shot.width;
        const bool corner = (x == 0 || x == shot.width - 1) && (y == 0 || y == shot.height - 1);
        if (!corner && shot.pixels[i] != expected.pixels[i]) {
            columns = {std::min(columns.first, x), std::max(columns.second, x)};
        }
    }
    return columns;
}

TEST(DialogPaint, BarAndStatusLineShowWhatTheirArithmeticPlansAndTheMarqueeMoves) {
    DialogDriver ui;
    // The status line: face colour, no border, the text three pixels in.
    const HWND status = ui.Item(IDC_STATUS);
    Picture shot = CaptureWindow(status);
    auto [first, last] =
        DifferingColumns(shot, Picture(shot.width, shot.height, GetSysColor(COLOR_BTNFACE)));
    EXPECT_TRUE(first >= 3 && first <= 6 && last >= first && last < shot.width / 2)
        << "the status text shows in columns " << first << " to " << last;
    // The label's own look, once the dialog grew: all of it repainted, and a text too long cut
    // three pixels before the end.
    const std::string longText = "Found " + std::string(100, 'W');
    ui.OnDialogThread([&] {
        g_app.statusLine.SetStyle(SCX_COLUMNGRADIENT | SCX_MIRRORED | SCX_BORDER, true);
        SetWindowTextA(status, longText.c_str());
        RECT r;
        GetWindowRect(ui.dialog, &r);
        SetWindowPos(ui.dialog, nullptr, 0, 0, r.right - r.left + 120, r.bottom - r.top + 20,
                     SWP_NOMOVE | SWP_NOZORDER);
    });
    shot = CaptureWindow(status);
    Picture planned(shot.width, shot.height, RGB(255, 255, 255));
    planned.Draw(GradientLines(GradientKind::kMirroredColumns, {0, 0, shot.width, shot.height},
                               RGB(255, 255, 255), LightenColor(GetSysColor(COLOR_HIGHLIGHT))));
    planned.Outline(RGB(130, 135, 144));
    std::tie(first, last) = DifferingColumns(shot, planned);
    EXPECT_TRUE(first >= 3 && first <= 6 && last < shot.width - 3 && last >= shot.width - 12)
        << "the long text shows in columns " << first << " to " << last << " of " << shot.width;
    // Screen readers read the shown text, cut to their buffer.
    char shown[] = "xxxxxxxxxx";
    EXPECT_EQ(SendMessageA(status, WM_GETTEXT, 9, reinterpret_cast<LPARAM>(shown)), 8);
    EXPECT_EQ(std::string(shown, 10), std::string("Found WW\0x", 10));
    EXPECT_EQ(SendMessageA(status, WM_GETTEXTLENGTH, 0, 0), static_cast<LRESULT>(longText.size()));

    // The bar at 37% as PlanProgressBar places it, the percentage aside.
    const HWND bar = ui.Item(IDC_PROGRESS);
    ui.OnDialogThread([&] {
        // The edge the standard control asks for on some systems: the bar keeps no frame.
        SetWindowLongA(bar, GWL_EXSTYLE, WS_EX_STATICEDGE);
        SetWindowPos(bar, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED);
        SendMessageA(bar, PBM_SETRANGE32, 0, 100);
        SendMessageA(bar, PBM_SETPOS, 37, 0);
    });
    shot = CaptureWindow(bar);
    ProgressBarState position;
    position.SetPosition(37);
    const ProgressBarPicture plan = PlanProgressBar(position, shot.width, shot.height);
    namespace c = progress_colours;
    const std::tuple<PixelRect, Colour, Colour> parts[] = {
        {plan.grooveTop, c::kGrooveTopFrom, c::kGrooveTopTo},
        {plan.grooveBottom, c::kGrooveBottomFrom, c::kGrooveBottomTo},
        {plan.barTop, c::kBarTopFrom, c::kBarTopTo},
        {plan.barBottom, c::kBarBottomFrom, c::kBarBottomTo}};
    planned = Picture(shot.width, shot.height, GetSysColor(COLOR_BTNFACE));
    for (const auto& [rect, from, to] : parts) {
        planned.Draw(GradientLines(GradientKind::kRows, rect, from, to));
    }
    planned.Outline(c::kOutline);
    std::tie(first, last) = DifferingColumns(shot, planned);
    EXPECT_TRUE(first >= shot.width / 2 - 40 && last <= shot.width / 2 + 40 && first < last)
        << "the percentage shows centred, in columns " << first << " to " << last;

    // The marquee's timer moves the block.
    SendMessageA(bar, PBM_SETMARQUEE, 1, 0);
    const std::vector<COLORREF> start = CaptureWindow(bar).pixels;
    // A busy machine may hold the timer back: a moved block within 3 s will do.
    WaitUntil(
        "the marquee to move its block", [&] { return CaptureWindow(bar).pixels != start; }, 3000);
}

// Control, then its mode per axis: 0 fixed, 1 stretched, 2 moved with the far edge.
static const int kAnchors[][3] = {
    {IDC_ADD, 2, 0},    {IDC_STOP, 2, 0},      {IDC_PATH_EDIT, 1, 0},   {IDC_PROGRESS, 1, 2},
    {IDC_STATUS, 1, 2}, {IDC_PATH_LIST, 1, 0}, {IDC_RESULT_LIST, 1, 1}, {IDC_START, 0, 0}};

// The controls' places in the dialog, in table order, each taken back by what its anchors give
// it when the dialog has grown by dx and dy: unchanged, when they follow the table.
static std::vector<PixelRect> Unanchored(HWND dialog, int dx, int dy) {
    std::vector<PixelRect> places;
    for (const auto& [id, across, down] : kAnchors) {
        RECT r;
        GetWindowRect(GetDlgItem(dialog, id), &r);
        MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&r), 2);
        places.push_back({r.left - (across == 2 ? dx : 0), r.top - (down == 2 ? dy : 0),
                          r.right - (across ? dx : 0), r.bottom - (down ? dy : 0)});
    }
    return places;
}

// What the program sizes itself at the DPI the dialog opened at (the prefix's), then after a
// sent WM_DPICHANGED to half as much again, and back: columns, the painted controls' fonts,
// both lists' icons, the minimum size, and every control's place by the anchor table, also
// maximised and restored. Last, the layout re-baselined on a grown window and moved controls.
TEST(DialogLayout, SizesAndPlacesFollowTheDpiAnchorsAndTheLastRecapture) {
    DialogDriver ui;
    const int opened = DpiOfWindow(ui.dialog);
    RECT opening;
    GetWindowRect(ui.dialog, &opening);
    const int width = opening.right - opening.left, height = opening.bottom - opening.top;
    const std::vector<PixelRect> atOpening = Unanchored(ui.dialog, 0, 0);
    for (const int dpi : {opened, opened * 3 / 2, opened}) {
        const auto scaled = [&](int pixels) { return ScaleBetweenDpis(pixels, opened, dpi); };
        RECT suggested = {opening.left, opening.top, opening.left + scaled(width),
                          opening.top + scaled(height)};
        SendMessageA(ui.dialog, WM_DPICHANGED, MAKEWPARAM(dpi, dpi),
                     reinterpret_cast<LPARAM>(&suggested));
        std::vector<int> sizes, expected;
        for (int column = 0; column < 4; ++column) {
            sizes.push_back(ListView_GetColumnWidth(ui.Item(IDC_RESULT_LIST), column));
        }
        for (const int id : {IDC_STATUS, IDC_PROGRESS}) {
            LOGFONTA font = {};
            GetObjectA(reinterpret_cast<HFONT>(SendMessageA(ui.Item(id), WM_GETFONT, 0, 0)),
                       sizeof font, &font);
            sizes.push_back(font.lfHeight);
        }
        for (const int id : {IDC_PATH_LIST, IDC_RESULT_LIST}) {
            int side = 0, unused = 0;
            ImageList_GetIconSize(ListView_GetImageList(ui.Item(id), LVSIL_SMALL), &side, &unused);
            sizes.push_back(side);
        }
        RECT drag = {0, 0, 10, 10};
        SendMessageA(ui.dialog, WM_SIZING, WMSZ_BOTTOMRIGHT, reinterpret_cast<LPARAM>(&drag));
        sizes.push_back(drag.right);
        for (const int at96 : {75, 75, 65, 175, -11, -11, 16, 16}) {
            expected.push_back(ScaleToDpi(at96, dpi));
        }
        expected.push_back(scaled(width));
        EXPECT_EQ(sizes, expected) << "at " << dpi << " DPI";
        std::vector<PixelRect> places;
        for (const PixelRect& place : atOpening) {
            places.push_back(ScaleRect(place, opened, dpi));
        }
        // The screen may hold the window smaller than suggested: the anchors take the rest. Wine
        // may place the controls a moment after the window's new size shows.
        for (const int show : {SW_SHOWNORMAL, SW_MAXIMIZE, SW_RESTORE}) {
            ShowWindow(ui.dialog, show);
            EXPECT_EQ(IsZoomed(ui.dialog) != FALSE, show == SW_MAXIMIZE) << show;
            std::vector<PixelRect> shown;
            WaitUntil(
                nullptr,
                [&] {
                    RECT now;
                    GetWindowRect(ui.dialog, &now);
                    shown = Unanchored(ui.dialog, now.right - now.left - scaled(width),
                                       now.bottom - now.top - scaled(height));
                    return shown == places;
                },
                3000);
            EXPECT_EQ(shown, places) << "shown " << show << " at " << dpi << " DPI, within 3 s";
        }
    }
    const auto resize = [&](int dx, int dy) {
        SetWindowPos(ui.dialog, nullptr, 0, 0, width + dx, height + dy, SWP_NOMOVE | SWP_NOZORDER);
        ui.OnDialogThread();
    };
    resize(137, 91);
    ui.OnDialogThread([&] {
        SetWindowPos(ui.Item(IDC_ADD), nullptr, 20, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        SendMessageA(ui.dialog, WM_ANCHOR_RECAPTURE, 0, 0);
    });
    const std::vector<PixelRect> recaptured = Unanchored(ui.dialog, 0, 0);
    resize(180, 130);
    EXPECT_EQ(Unanchored(ui.dialog, 43, 39), recaptured);
}
