#include "controls/static_ctrl_ex.h"

#include <algorithm>
#include <cwchar>

#include "controls/buffered_paint.h"
#include "controls/gradient_fill.h"
#include "controls/gradient_math.h"
#include "os/utf16.h"

namespace {

constexpr UINT kRepaintNow = RDW_INVALIDATE | RDW_NOCHILDREN | RDW_UPDATENOW | RDW_FRAME;

bool Has(unsigned style, unsigned flags) {
    return (style & flags) == flags;
}

}  // namespace

StaticCtrlEx::StaticCtrlEx()
    : font_(CreateDialogFont()), secondColour_(LightenColor(GetSysColor(COLOR_HIGHLIGHT))) {}

void StaticCtrlEx::Attach(HWND dialog, int controlId) {
    hwnd = GetDlgItem(dialog, controlId);
    // A Unicode procedure: names outside the ANSI code page survive a W text in and out.
    previousWndProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(WndProc)));
    SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongA(hwnd, GWL_EXSTYLE, GetWindowLongA(hwnd, GWL_EXSTYLE) & ~WS_EX_STATICEDGE);
    // The template's text, from the static control itself: this object now answers for it.
    const auto length = static_cast<int>(CallPrevious(WM_GETTEXTLENGTH, 0, 0));
    if (length > 0) {
        text_.resize(static_cast<size_t>(length) + 1);
        CallPrevious(WM_GETTEXT, static_cast<WPARAM>(length) + 1,
                     reinterpret_cast<LPARAM>(&text_[0]));
        text_.resize(static_cast<size_t>(length));
    }
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    RepaintNow();
}

std::string StaticCtrlEx::Text() const {
    return os::Narrow(text_.data(), text_.size());
}

void StaticCtrlEx::SetStyle(unsigned style, bool redraw) {
    style_ = style;
    if (redraw) {
        RepaintNow();
    }
}

void StaticCtrlEx::SetDpi(int dpi) {
    dpi_ = dpi;
    font_ = CreateDialogFont(dpi);
    RepaintNow();
}

LRESULT CALLBACK StaticCtrlEx::WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<StaticCtrlEx*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return self->Handle(message, wParam, lParam);
}

LRESULT StaticCtrlEx::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOVE:
        case WM_SIZE: {
            RECT client;
            GetClientRect(hwnd, &client);
            InvalidateRect(hwnd, &client, TRUE);
            break;
        }
        case WM_SETTEXT:
            if (lParam == 0) {
                return 0;
            }
            text_ = reinterpret_cast<const wchar_t*>(lParam);
            RepaintNow();
            return 1;
        // Screen readers and UI automation read the text shown, not the template's.
        case WM_GETTEXT: {
            if (wParam == 0 || lParam == 0) {
                return 0;
            }
            const std::size_t copied = std::min<std::size_t>(text_.size(), wParam - 1);
            wchar_t* buffer = reinterpret_cast<wchar_t*>(lParam);
            std::wmemcpy(buffer, text_.data(), copied);
            buffer[copied] = L'\0';
            return static_cast<LRESULT>(copied);
        }
        case WM_GETTEXTLENGTH:
            return static_cast<LRESULT>(text_.size());
        case WM_GETFONT:
            return reinterpret_cast<LRESULT>(font_.Get());
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
        case WM_NCPAINT:
            Paint();
            break;
        case WM_NCCALCSIZE:
            if (wParam != 0) {
                return 0;  // the client area is the whole window: no frame
            }
            break;
        default:
            break;
    }
    return CallPrevious(message, wParam, lParam);
}

LRESULT StaticCtrlEx::CallPrevious(UINT message, WPARAM wParam, LPARAM lParam) const {
    return CallWindowProcW(previousWndProc_, hwnd, message, wParam, lParam);
}

void StaticCtrlEx::RepaintNow() const {
    RedrawWindow(hwnd, nullptr, nullptr, kRepaintNow);
}

void StaticCtrlEx::Paint() const {
    PaintBuffered(hwnd, [this](HDC dc, const RECT& client) { Draw(dc, client); });
}

void StaticCtrlEx::Draw(HDC dc, const RECT& rect) const {
    {
        const COLORREF background =
            Has(style_, SCX_FACECOLOR) ? GetSysColor(COLOR_BTNFACE) : firstColour_;
        GdiObject brush(CreateSolidBrush(background));
        FillRect(dc, &rect, static_cast<HBRUSH>(brush.Get()));
    }
    if (Has(style_, SCX_ROWGRADIENT | SCX_MIRRORED)) {
        FillMirroredRowGradient(dc, rect, firstColour_, secondColour_);
    } else if (Has(style_, SCX_COLUMNGRADIENT | SCX_MIRRORED)) {
        FillMirroredColumnGradient(dc, rect, firstColour_, secondColour_);
    } else if (Has(style_, SCX_ROWGRADIENT)) {
        FillRowGradient(dc, rect, firstColour_, secondColour_);
    } else if (Has(style_, SCX_COLUMNGRADIENT)) {
        FillColumnGradient(dc, rect, firstColour_, secondColour_);
    }
    if (Has(style_, SCX_BORDER)) {
        GdiObject pen(CreatePen(PS_INSIDEFRAME, ScaleToDpi(1, dpi_), borderColour_));
        SelectedObject selectedPen(dc, pen.Get());
        SelectedObject hollow(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, rect.left, rect.top, rect.right, rect.bottom);
    }
    if (!text_.empty()) {
        const int inset = ScaleToDpi(3, dpi_);
        RECT textRect = {rect.left + inset, rect.top - ScaleToDpi(1, dpi_), rect.right - inset,
                         rect.bottom};
        SelectedObject font(dc, font_.Get());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, textColour_);
        DrawTextW(dc, text_.c_str(), -1, &textRect, textFormat_);
    }
}
