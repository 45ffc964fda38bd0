// The painted progress bar of the real dialog against its plain arithmetic, and its timer.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "controls/progress_bar_state.h"
#include "resources/resource_ids.h"
#include "tests/ui/dialog_driver.h"
#include "tests/ui/window_capture.h"

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

TEST(DialogProgressBar, PaintsWhatItsArithmeticPlansAndAnimatesTheMarquee) {
    DialogDriver ui;
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
    EXPECT_TRUE(text.first >= middle - 40 && text.second <= middle + 40)
        << "the percentage is centred";

    // The marquee's timer moves the block.
    SendMessageA(bar, PBM_SETMARQUEE, 1, 0);
    const std::vector<COLORREF> start = CaptureWindow(bar).pixels;
    Sleep(150);
    EXPECT_NE(CaptureWindow(bar).pixels, start) << "the marquee stands still";
}
