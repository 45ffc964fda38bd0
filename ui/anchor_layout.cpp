#include "ui/anchor_layout.h"

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
            ClampToMinimumSize(static_cast<int>(wParam), pixels, minimumWidth_, minimumHeight_);
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
        default:
            break;
    }
}

void AnchorLayout::SetMinimumSize(int width, int height) {
    if (width == 0 && height == 0) {
        width = baseline_.right - baseline_.left;
        height = baseline_.bottom - baseline_.top;
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
}

void AnchorLayout::AttachDialog(HWND window) {
    // Records of an earlier dialog hold windows that are gone, and whose handles may be reused.
    records_.clear();
    dialog_ = window;
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
    GetWindowRect(window, &baseline_);
}

void AnchorLayout::Relayout() const {
    if (dialog_ == nullptr) {
        return;  // a size change while the dialog is still being created
    }
    RECT current;
    GetWindowRect(dialog_, &current);
    const int dx = (current.right - current.left) - (baseline_.right - baseline_.left);
    const int dy = (current.bottom - current.top) - (baseline_.bottom - baseline_.top);
    for (const AnchorRecord& record : records_) {
        const AnchorPlacement place =
            PlaceAnchored(record.rect, record.horizontal, record.vertical, dx, dy);
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
    InvalidateClient();
    RedrawWindow(dialog_, nullptr, nullptr, kRepaintAll);
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
