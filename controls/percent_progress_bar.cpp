#include "controls/percent_progress_bar.h"

#include <commctrl.h>

#include "controls/buffered_paint.h"
#include "controls/gradient_fill.h"

namespace {

RECT ToRect(const PixelRect& r) {
    return {r.left, r.top, r.right, r.bottom};
}

}  // namespace

void PercentProgressBar::Attach(HWND dialog, int controlId) {
    hwnd = GetDlgItem(dialog, controlId);
    previousWndProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WndProc)));
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void PercentProgressBar::SetDpi(int dpi) {
    dpi_ = dpi;
    font_ = CreateDialogFont(dpi);
    Invalidate();
}

LRESULT CALLBACK PercentProgressBar::WndProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
    auto* self = reinterpret_cast<PercentProgressBar*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return self->Handle(message, wParam, lParam);
}

LRESULT PercentProgressBar::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case PBM_SETRANGE:
            state_.SetRangeWords(static_cast<std::uint32_t>(lParam));
            return 0;
        case PBM_SETPOS: {
            if (!IsWindow(hwnd)) {
                return -1;
            }
            const bool marquee = state_.Marquee();
            const int previous = state_.SetPosition(static_cast<int>(wParam));
            if (marquee && !state_.Marquee()) {
                // Unseen, the phase would still wake the dialog 40 times a second: under Wine
                // each tick is a round trip to the server that the readers' opens wait behind.
                KillTimer(hwnd, kMarqueeTimer);
            }
            Invalidate();
            return previous;
        }
        case PBM_SETSTEP:
            state_.SetStep(static_cast<int>(wParam));
            return 0;
        case PBM_STEPIT:
            if (!IsWindow(hwnd)) {
                return -1;
            }
            state_.StepIt();
            Invalidate();
            return 0;
        case PBM_SETRANGE32:
            state_.SetRange(static_cast<int>(wParam), static_cast<int>(lParam));
            return 0;
        case PBM_GETRANGE:
            if (auto* range = reinterpret_cast<PBRANGE*>(lParam)) {
                range->iLow = state_.Minimum();
                range->iHigh = state_.Maximum();
            }
            return wParam != 0 ? state_.Minimum() : state_.Maximum();
        case PBM_GETPOS:
            return state_.Position();
        case PBM_SETMARQUEE:
            state_.SetMarquee(wParam != 0);
            if (wParam != 0) {
                SetTimer(hwnd, kMarqueeTimer, kMarqueePeriodMs, nullptr);
            } else {
                KillTimer(hwnd, kMarqueeTimer);
            }
            Invalidate();
            return state_.Position();
        case WM_PAINT:
        case WM_NCPAINT:
            Paint();
            return 0;
        case WM_ERASEBKGND:
            return 1;
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_.Get());
        case WM_NCCALCSIZE:
            if (wParam != 0) {
                return 0;  // the client area is the whole window: no frame
            }
            break;
        case WM_TIMER:
            if (wParam == kMarqueeTimer) {
                state_.AdvancePhase();
                if (state_.Marquee()) {
                    Invalidate();
                }
            }
            break;
        default:
            break;
    }
    return CallWindowProcA(previousWndProc_, hwnd, message, wParam, lParam);
}

void PercentProgressBar::Invalidate() const {
    RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE);
}

void PercentProgressBar::Paint() const {
    PaintBuffered(hwnd,
                  [this](HDC dc, const RECT& client) { Draw(dc, client.right, client.bottom); });
}

void PercentProgressBar::Draw(HDC dc, int width, int height) const {
    namespace colours = progress_colours;
    const ProgressBarPicture picture = PlanProgressBar(state_, width, height, dpi_);
    const RECT whole = {0, 0, width, height};
    {
        GdiObject face(CreateSolidBrush(GetSysColor(COLOR_BTNFACE)));
        FillRect(dc, &whole, static_cast<HBRUSH>(face.Get()));
    }
    FillRowGradient(dc, ToRect(picture.grooveTop), colours::kGrooveTopFrom, colours::kGrooveTopTo);
    FillRowGradient(dc, ToRect(picture.grooveBottom), colours::kGrooveBottomFrom,
                    colours::kGrooveBottomTo);
    if (picture.showBar) {
        FillRowGradient(dc, ToRect(picture.barTop), colours::kBarTopFrom, colours::kBarTopTo);
        FillRowGradient(dc, ToRect(picture.barBottom), colours::kBarBottomFrom,
                        colours::kBarBottomTo);
    }
    {
        // Inside the frame: a wider outline must not lose its outer half to the bitmap's edge.
        GdiObject pen(CreatePen(PS_INSIDEFRAME, picture.outline, colours::kOutline));
        SelectedObject selectedPen(dc, pen.Get());
        SelectedObject hollow(dc, GetStockObject(NULL_BRUSH));
        RoundRect(dc, 0, 0, width, height, picture.corner, picture.corner);
    }
    if (picture.showText) {
        SelectedObject font(dc, font_.Get());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(0, 0, 0));
        RECT textRect = ToRect(picture.textRect);
        DrawTextA(dc, picture.text.c_str(), -1, &textRect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    }
}
