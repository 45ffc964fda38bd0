// The painted progress bar and status line of the real dialog against their plain arithmetic.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <tuple>

#include "controls/progress_bar_state.h"
#include "resources/resource_ids.h"
#include "tests/ui/dialog_driver.h"
#include "tests/ui/window_capture.h"
#include "ui/app_state.h"

// The bar as PlanProgressBar places it, the percentage aside, beside what the window shows.
static std::pair<int, int> Differences(HWND bar, const ProgressBarState& state) {
    namespace c = progress_colours;
    const Picture shot = CaptureWindow(bar);
    const ProgressBarPicture plan = PlanProgressBar(state, shot.width, shot.height);
    Picture planned(shot.width, shot.height, GetSysColor(COLOR_BTNFACE));
    planned.Draw(
        GradientLines(GradientKind::kRows, plan.grooveTop, c::kGrooveTopFrom, c::kGrooveTopTo));
    planned.Draw(GradientLines(GradientKind::kRows, plan.grooveBottom, c::kGrooveBottomFrom,
                               c::kGrooveBottomTo));
    if (plan.showBar) {
        planned.Draw(GradientLines(GradientKind::kRows, plan.barTop, c::kBarTopFrom, c::kBarTopTo));
        planned.Draw(
            GradientLines(GradientKind::kRows, plan.barBottom, c::kBarBottomFrom, c::kBarBottomTo));
    }
    planned.Outline(c::kOutline);
    return DifferingColumns(shot, planned);
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

    const HWND bar = ui.Item(IDC_PROGRESS);
    ProgressBarState position;
    position.SetPosition(37);
    ui.OnDialogThread([&] {
        // The edge the standard control asks for on some systems: the bar keeps no frame.
        SetWindowLongA(bar, GWL_EXSTYLE, WS_EX_STATICEDGE);
        SetWindowPos(bar, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_FRAMECHANGED);
        SendMessageA(bar, PBM_SETRANGE32, 0, 100);
        SendMessageA(bar, PBM_SETPOS, 37, 0);
    });
    const int middle = CaptureWindow(bar).width / 2;
    const std::pair<int, int> text = Differences(bar, position);
    EXPECT_TRUE(text.first >= middle - 40 && text.second <= middle + 40 && text.first < text.second)
        << "the percentage shows centred, in columns " << text.first << " to " << text.second;

    // The marquee's timer moves the block.
    SendMessageA(bar, PBM_SETMARQUEE, 1, 0);
    const std::vector<COLORREF> start = CaptureWindow(bar).pixels;
    Sleep(150);
    EXPECT_NE(CaptureWindow(bar).pixels, start) << "the marquee stands still";
}
