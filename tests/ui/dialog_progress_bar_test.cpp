// The painted progress bar and status line of the real dialog against their plain arithmetic.

#include <windows.h>
#include <commctrl.h>

#include <tuple>

#include "controls/progress_bar_state.h"
#include "tests/ui/dialog_driver.h"
#include "tests/ui/window_capture.h"
#include "ui/app_state.h"

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
    Sleep(150);
    EXPECT_NE(CaptureWindow(bar).pixels, start) << "the marquee stands still";
}
