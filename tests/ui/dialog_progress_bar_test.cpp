// The painted progress bar in the real dialog: its answers to the progress-bar messages, its
// marquee timer, and the pixels it shows for positions, ranges and marquee phases.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <string>
#include <vector>

#include "resources/resource_ids.h"
#include "tests/ui/dialog_driver.h"
#include "tests/ui/window_capture.h"

namespace {

constexpr UINT_PTR kMarqueeTimer = 10;
constexpr COLORREF kOutline = RGB(178, 178, 178);

struct Shades {
    COLORREF topFrom, topTo, bottomFrom, bottomTo;
};
constexpr Shades kGroove = {RGB(252, 252, 252), RGB(218, 218, 218), RGB(201, 201, 201),
                            RGB(213, 213, 213)};
constexpr Shades kBar = {RGB(175, 248, 248), RGB(62, 183, 215), RGB(14, 145, 174), RGB(1, 87, 115)};

// Row y of a bar h high: the upper half fades over rows 1..h/2-1, the lower over the rest,
// each channel from + i * (to - from) / n, cut toward zero.
COLORREF RowColour(const Shades& s, int y, int h) {
    const int m = h / 2;
    const bool top = y < m;
    const COLORREF from = top ? s.topFrom : s.bottomFrom;
    const COLORREF to = top ? s.topTo : s.bottomTo;
    const int i = top ? y - 1 : y - m;
    const int n = top ? m - 1 : h - 1 - m;
    auto blend = [&](int a, int b) { return a + i * (b - a) / n; };
    return RGB(blend(GetRValue(from), GetRValue(to)), blend(GetGValue(from), GetGValue(to)),
               blend(GetBValue(from), GetBValue(to)));
}

bool NearBlack(COLORREF c) {
    return GetRValue(c) < 60 && GetGValue(c) < 60 && GetBValue(c) < 60;
}

// Columns left..right of the bar or block; none when right <= 1.
struct Span {
    int left, right;
};
constexpr Span kNoBar = {1, 1};

Span PercentSpan(int percent, int width) {
    return {1, percent * (width - 2) / 100};
}

// Past a third of the way the marquee block keeps a third of the width.
Span MarqueeSpan(int phase, int width) {
    const int right = std::max(phase * (width - 2) / 100, 1);
    return {phase > 33 ? right - width / 3 : 1, right};
}

struct Verdict {
    int wrong = 0;
    std::string first;
    int black = 0;
    int minX = 1 << 30, maxX = -1;
};

// Compares a capture with the outline, the groove and the span; black text pixels are let
// through only when text is expected and only within 40 columns of the middle.
Verdict Judge(const WindowCapture& c, Span span, bool text) {
    Verdict v;
    const int w = c.width, h = c.height;
    auto check = [&](int x, int y, COLORREF want) {
        const COLORREF got = c.At(x, y);
        if (got == want) {
            return;
        }
        if (text && NearBlack(got) && std::abs(2 * x - w) <= 80) {
            ++v.black;
            v.minX = std::min(v.minX, x);
            v.maxX = std::max(v.maxX, x);
            return;
        }
        if (v.wrong++ == 0) {
            v.first = "(" + std::to_string(x) + "," + std::to_string(y) + ") is " +
                      std::to_string(got) + ", not " + std::to_string(want);
        }
    };
    for (int x = 1; x < w - 1; ++x) {
        check(x, 0, kOutline);
        check(x, h - 1, kOutline);
    }
    for (int y = 1; y < h - 1; ++y) {
        check(0, y, kOutline);
        check(w - 1, y, kOutline);
        for (int x = 1; x < w - 1; ++x) {
            const bool inBar = span.right > 1 && x >= span.left && x <= span.right;
            check(x, y, RowColour(inBar ? kBar : kGroove, y, h));
        }
    }
    return v;
}

std::atomic<int> g_ticks{0};
std::atomic<int> g_paints{0};
HWND g_tickWindow = nullptr;

LRESULT CALLBACK CountTicks(int code, WPARAM removal, LPARAM lParam) {
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && removal == PM_REMOVE && msg->hwnd == g_tickWindow) {
        g_ticks += msg->message == WM_TIMER && msg->wParam == kMarqueeTimer;
        g_paints += msg->message == WM_PAINT;
    }
    return CallNextHookEx(nullptr, code, removal, lParam);
}

// Counts the marquee timer's messages and the paints as the bar's thread takes them.
struct TickCounter {
    explicit TickCounter(HWND bar) {
        g_tickWindow = bar;
        g_ticks = 0;
        g_paints = 0;
        hook = SetWindowsHookExA(WH_GETMESSAGE, CountTicks, nullptr,
                                 GetWindowThreadProcessId(bar, nullptr));
    }
    ~TickCounter() { UnhookWindowsHookEx(hook); }
    HHOOK hook;
};

class DialogProgressBar : public ::testing::Test {
  protected:
    // The bar's state lives in the process-wide app state and outlasts earlier dialogs;
    // only the marquee phase is left as it was.
    DialogProgressBar() {
        Send(PBM_SETMARQUEE, 0);
        Send(PBM_SETRANGE32, 0, 100);
        Send(PBM_SETSTEP, 1);
        Send(PBM_SETPOS, 0);
        RECT r;
        GetWindowRect(bar, &r);
        width = r.right - r.left;
    }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const {
        return SendMessageA(bar, message, wParam, lParam);
    }
    LRESULT GetRange(BOOL low, PBRANGE* range) const {
        return Send(PBM_GETRANGE, low, reinterpret_cast<LPARAM>(range));
    }
    std::vector<COLORREF> Pixels() const { return CaptureWindow(bar).pixels; }

    void ExpectPicture(Span span, bool text, const char* what) const {
        const Verdict v = Judge(CaptureWindow(bar), span, text);
        EXPECT_EQ(v.wrong, 0) << what << ": " << v.first;
        if (text) {
            EXPECT_GE(v.black, 10) << what << ": no text";
            EXPECT_LE(std::abs(v.minX + v.maxX - width), 6) << what << ": text off centre";
        }
    }

    void Tick(int count) const {
        for (int i = 0; i < count; ++i) {
            Send(WM_TIMER, kMarqueeTimer);
        }
    }

    // The marquee look at phase 0 with no timer: on resets the phase, off stops the timer and
    // position -1 brings the look back. Retried if a real tick slipped in between. Returns
    // what the first position -1 answered.
    LRESULT MarqueeAtPhaseZero() const {
        LRESULT first = 0;
        for (int attempt = 0; attempt < 5; ++attempt) {
            Send(PBM_SETMARQUEE, 1);
            Send(PBM_SETMARQUEE, 0);
            const LRESULT previous = Send(PBM_SETPOS, static_cast<WPARAM>(-1));
            first = attempt == 0 ? previous : first;
            if (Judge(CaptureWindow(bar), kNoBar, false).wrong == 0) {
                return first;
            }
        }
        ADD_FAILURE() << "the marquee never showed phase 0";
        return first;
    }

    DialogDriver ui;
    HWND bar = ui.Item(IDC_PROGRESS);
    int width = 0;
};

TEST_F(DialogProgressBar, RangesAreStoredAndScaleTheBar) {
    // Both words of the packed range are unsigned.
    EXPECT_EQ(Send(PBM_SETRANGE, 0, MAKELPARAM(40000, 60000)), 0);
    EXPECT_EQ(GetRange(TRUE, nullptr), 40000);
    EXPECT_EQ(GetRange(FALSE, nullptr), 60000);
    PBRANGE range = {};
    EXPECT_EQ(GetRange(TRUE, &range), 40000);
    EXPECT_EQ(range.iLow, 40000);
    EXPECT_EQ(range.iHigh, 60000);

    EXPECT_EQ(Send(PBM_SETRANGE32, static_cast<WPARAM>(-50), 50), 0);
    range = {};
    EXPECT_EQ(GetRange(FALSE, &range), 50);
    EXPECT_EQ(GetRange(TRUE, nullptr), -50);
    EXPECT_EQ(range.iLow, -50);
    EXPECT_EQ(range.iHigh, 50);
    Send(PBM_SETPOS, 0);
    ExpectPicture(PercentSpan(50, width), true, "0 in -50..50");

    // Two thirds: the bar ends at the whole percent below, 66, not the rounded 67.
    Send(PBM_SETRANGE32, 0, 3);
    Send(PBM_SETPOS, 2);
    ExpectPicture(PercentSpan(66, width), true, "2 in 0..3");
}

TEST_F(DialogProgressBar, PositionsClampAboveStayBelowAndStep) {
    EXPECT_EQ(Send(PBM_SETPOS, 30), 0);
    EXPECT_EQ(Send(PBM_SETPOS, 150), 30);
    EXPECT_EQ(Send(PBM_GETPOS), 100);
    ExpectPicture(PercentSpan(100, width), true, "100%");
    EXPECT_EQ(Send(PBM_SETPOS, static_cast<WPARAM>(-5)), 100);
    EXPECT_EQ(Send(PBM_GETPOS), -5);
    ExpectPicture(kNoBar, true, "-5%");

    Send(PBM_SETPOS, 50);
    ExpectPicture(PercentSpan(50, width), true, "50%");
    const WindowCapture c = CaptureWindow(bar);
    const int b = PercentSpan(50, width).right;
    EXPECT_EQ(c.At(b, 2), RowColour(kBar, 2, c.height));
    EXPECT_EQ(c.At(b + 1, 2), RowColour(kGroove, 2, c.height));
    EXPECT_EQ(c.At(1, 1), RGB(175, 248, 248));
    EXPECT_EQ(c.At(width - 2, 1), RGB(252, 252, 252));
    EXPECT_EQ(Send(PBM_SETSTEP, 40), 0);
    EXPECT_EQ(Send(PBM_STEPIT), 0);
    EXPECT_EQ(Send(PBM_GETPOS), 90);
    EXPECT_EQ(Send(PBM_STEPIT), 0);
    EXPECT_EQ(Send(PBM_GETPOS), 100);

    // -1 is the marquee look: no text, and phase 0 has no block yet.
    EXPECT_EQ(MarqueeAtPhaseZero(), 100);
    EXPECT_EQ(Send(PBM_GETPOS), -1);
    ExpectPicture(kNoBar, false, "position -1");
    Send(PBM_SETPOS, 0);
    ExpectPicture(kNoBar, true, "0%");
}

TEST_F(DialogProgressBar, MarqueePhasesPlaceTheBlock) {
    MarqueeAtPhaseZero();
    int phase = 0;
    for (int target : {1, 20, 33, 34, 60, 120, 133, 139}) {
        Tick(target - phase);
        phase = target;
        ExpectPicture(MarqueeSpan(phase, width), false, ("phase " + std::to_string(phase)).c_str());
    }
    // Only the marquee timer's id moves the phase.
    const std::vector<COLORREF> before = Pixels();
    Send(WM_TIMER, kMarqueeTimer + 1);
    EXPECT_EQ(Pixels(), before);
    Tick(1);
    ExpectPicture(kNoBar, false, "phase 140 wraps to 0");
    Tick(60 + 140);
    ExpectPicture(MarqueeSpan(60, width), false, "phase 60 after a full turn");
}

TEST_F(DialogProgressBar, MarqueeTimerRunsOnlyWhileSwitchedOn) {
    TickCounter counter(bar);
    ASSERT_NE(counter.hook, nullptr);
    EXPECT_EQ(Send(PBM_SETPOS, 37), 0);
    const DWORD start = GetTickCount();
    EXPECT_EQ(Send(PBM_SETMARQUEE, 1), 37);
    const std::vector<COLORREF> early = Pixels();
    Sleep(300);
    EXPECT_NE(Pixels(), early) << "the marquee did not move";
    EXPECT_EQ(Send(PBM_SETMARQUEE, 0), 37);
    const int ticks = g_ticks;
    const int elapsed = static_cast<int>(GetTickCount() - start);
    EXPECT_GE(ticks, 2);
    EXPECT_LE(ticks, elapsed / 25 + 2) << "a period shorter than 25 ms";
    EXPECT_EQ(Send(PBM_GETPOS), 37);
    ExpectPicture(PercentSpan(37, width), true, "37% after the marquee");

    // A position ends the look but not the timer, which then has nothing to repaint.
    Send(PBM_SETMARQUEE, 1);
    Send(PBM_SETPOS, 60);
    Pixels();
    g_ticks = 0;
    g_paints = 0;
    Sleep(200);
    EXPECT_GE(g_ticks, 2) << "the timer stopped";
    EXPECT_EQ(g_paints, 0) << "an unchanged bar was repainted";
    Send(PBM_SETMARQUEE, 0);

    // Off stops the timer, and the marquee look by position does not start it.
    Send(PBM_SETPOS, static_cast<WPARAM>(-1));
    const std::vector<COLORREF> still = Pixels();
    g_ticks = 0;
    Sleep(150);
    EXPECT_EQ(g_ticks, 0);
    EXPECT_EQ(Pixels(), still);
}

TEST_F(DialogProgressBar, FramelessAndUnmovedByEraseOrDelta) {
    // The standard control of some systems asks for an edge: the bar still keeps no frame.
    SetWindowLongA(bar, GWL_EXSTYLE, GetWindowLongA(bar, GWL_EXSTYLE) | WS_EX_STATICEDGE);
    SetWindowPos(bar, nullptr, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RECT client, window;
    GetClientRect(bar, &client);
    GetWindowRect(bar, &window);
    EXPECT_EQ(client.right, window.right - window.left);
    EXPECT_EQ(client.bottom, window.bottom - window.top);

    Send(PBM_SETPOS, 40);
    const std::vector<COLORREF> before = Pixels();
    HDC dc = GetDC(bar);
    EXPECT_EQ(Send(WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc)), 1);
    ReleaseDC(bar, dc);
    EXPECT_EQ(Pixels(), before) << "erasing painted over the bar";
    Send(PBM_DELTAPOS, 30);
    EXPECT_EQ(Send(PBM_GETPOS), 40);
    EXPECT_EQ(Pixels(), before) << "the standard control's move showed";
}

}  // namespace
