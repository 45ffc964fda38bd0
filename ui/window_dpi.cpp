#include "ui/window_dpi.h"

#include "controls/dpi_scale.h"
#include "controls/gdi_handles.h"

namespace {

template <typename Function>
Function FromUser32(const char* name) {
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

}  // namespace

int DpiOfWindow(HWND window) {
    using GetDpi = UINT(WINAPI*)(HWND);
    static const GetDpi getDpiForWindow = FromUser32<GetDpi>("GetDpiForWindow");
    if (getDpiForWindow != nullptr) {
        if (const UINT dpi = getDpiForWindow(window)) {
            return static_cast<int>(dpi);
        }
    }
    const int dpi = GetDeviceCaps(WindowDC(nullptr).Get(), LOGPIXELSX);
    return dpi > 0 ? dpi : kBaseDpi;
}

void LeaveDpiLayoutToProgram(HWND dialog) {
    using SetBehavior =
        BOOL(WINAPI*)(HWND, DIALOG_DPI_CHANGE_BEHAVIORS, DIALOG_DPI_CHANGE_BEHAVIORS);
    static const SetBehavior setBehavior = FromUser32<SetBehavior>("SetDialogDpiChangeBehavior");
    const auto program =
        static_cast<DIALOG_DPI_CHANGE_BEHAVIORS>(DDC_DISABLE_RESIZE | DDC_DISABLE_CONTROL_RELAYOUT);
    if (setBehavior != nullptr) {
        setBehavior(dialog, program, program);
    }
}
