#include "ui/anchor_layout.h"

#include <algorithm>

#include "ui/window_dpi.h"

namespace {

constexpr UINT kRepaintAll = RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW | RDW_FRAME;

}  // namespace

void AnchorLayout::OnMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            AttachDialog(window);
            break;
        case WM_SIZE:
            Relayout();
            break;
        case WM_SIZING: {
            auto* drag = reinterpret_cast<RECT*>(lParam);
            PixelRect pixels{drag->left, drag->top, drag->right, drag->bottom};
            ClampToMinimumSize(static_cast<int>(wParam), pixels,
                               ScaleBetweenDpis(minimumWidth_, baseDpi_, dpi_),
                               ScaleBetweenDpis(minimumHeight_, baseDpi_, dpi_));
            *drag = {pixels.left, pixels.top, pixels.right, pixels.bottom};
            break;
        }
        case WM_EXITSIZEMOVE:
            // One full repaint per drag, not one per size step.
            RedrawWindow(dialog_, nullptr, nullptr, kRepaintAll);
            break;
        case WM_ANCHOR_RECAPTURE:
            Recapture();
            break;
        case WM_DPICHANGED:
            ChangeDpi(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            break;
        default:
            break;
    }
}

void AnchorLayout::SetMinimumSize(int width, int height) {
    if (width == 0 && height == 0) {
        width = baseline_.right - baseline_.left;
        height = baseline_.bottom - baseline_.top;
    } else {
        width = ScaleToDpi(width, baseDpi_);
        height = ScaleToDpi(height, baseDpi_);
    }
    minimumWidth_ = width;
    minimumHeight_ = height;
}

void AnchorLayout::AddControl(int controlId, AnchorMode horizontal, AnchorMode vertical,
                              bool repaint) {
    AddControlWindow(GetDlgItem(dialog_, controlId), horizontal, vertical, repaint);
}

void AnchorLayout::AddControlWindow(HWND control, AnchorMode horizontal, AnchorMode vertical,
                                    bool repaint) {
    records_.insert(records_.begin(),
                    AnchorRecord{ClientRectOf(control), control, horizontal, vertical, repaint});
    // Placed by its record from now on, not as a control the layout leaves alone.
    unanchored_.erase(
        std::remove_if(unanchored_.begin(), unanchored_.end(),
                       [control](const AnchorRecord& r) { return r.control == control; }),
        unanchored_.end());
}

void AnchorLayout::AttachDialog(HWND window) {
    // Records of an earlier dialog hold windows that are gone, and whose handles may be reused.
    records_.clear();
    dialog_ = window;
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    GetWindowRect(window, &baseline_);
    baseDpi_ = dpi_ = DpiOfWindow(window);
    RecordUnanchored();
}

void AnchorLayout::RecordUnanchored() {
    unanchored_.clear();
    for (HWND child = GetWindow(dialog_, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        const bool anchored =
            std::any_of(records_.begin(), records_.end(),
                        [child](const AnchorRecord& r) { return r.control == child; });
        if (!anchored) {
            unanchored_.push_back({ClientRectOf(child), child, kAnchorFixed, kAnchorFixed, true});
        }
    }
}

void AnchorLayout::Relayout() const {
    if (dialog_ == nullptr) {
        return;  // a size change while the dialog is still being created
    }
    RECT current;
    GetWindowRect(dialog_, &current);
    const int dx = (current.right - current.left) -
                   ScaleBetweenDpis(baseline_.right - baseline_.left, baseDpi_, dpi_);
    const int dy = (current.bottom - current.top) -
                   ScaleBetweenDpis(baseline_.bottom - baseline_.top, baseDpi_, dpi_);
    for (const AnchorRecord& record : records_) {
        const AnchorPlacement place = PlaceAnchored(ScaleRect(record.rect, baseDpi_, dpi_),
                                                    record.horizontal, record.vertical, dx, dy);
        if (place.move) {
            MoveWindow(record.control, place.x, place.y, place.width, place.height, record.repaint);
        }
    }
    InvalidateClient();
}

void AnchorLayout::Recapture() {
    GetWindowRect(dialog_, &baseline_);
    for (AnchorRecord& record : records_) {
        record.rect = ClientRectOf(record.control);
    }
    minimumWidth_ = ScaleBetweenDpis(minimumWidth_, baseDpi_, dpi_);
    minimumHeight_ = ScaleBetweenDpis(minimumHeight_, baseDpi_, dpi_);
    baseDpi_ = dpi_;
    RecordUnanchored();
    InvalidateClient();
    RedrawWindow(dialog_, nullptr, nullptr, kRepaintAll);
}

void AnchorLayout::ChangeDpi(int dpi, const RECT& suggested) {
    if (dialog_ == nullptr) {
        return;
    }
    dpi_ = dpi;
    for (const AnchorRecord& record : unanchored_) {
        const PixelRect place = ScaleRect(record.rect, baseDpi_, dpi_);
        MoveWindow(record.control, place.left, place.top, place.Width(), place.Height(), TRUE);
    }
    // Its WM_SIZE places the anchored controls; a size that stays sends none.
    SetWindowPos(dialog_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    Relayout();
}

PixelRect AnchorLayout::ClientRectOf(HWND control) const {
    RECT screen;
    GetWindowRect(control, &screen);
    POINT corner = {screen.left, screen.top};
    ScreenToClient(dialog_, &corner);
    return {corner.x, corner.y, corner.x + (screen.right - screen.left),
            corner.y + (screen.bottom - screen.top)};
}

void AnchorLayout::InvalidateClient() const {
    RECT client;
    GetClientRect(dialog_, &client);
    InvalidateRect(dialog_, &client, TRUE);
}
