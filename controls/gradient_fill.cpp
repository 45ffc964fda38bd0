#include "controls/gradient_fill.h"

#include "controls/gdi_handles.h"
#include "controls/gradient_math.h"

namespace {

void Fill(GradientKind kind, HDC dc, const RECT& rect, COLORREF first, COLORREF second) {
    const PixelRect pixels{rect.left, rect.top, rect.right, rect.bottom};
    for (const GradientLine& line : GradientLines(kind, pixels, first, second)) {
        GdiObject pen(CreatePen(PS_SOLID, 1, line.colour));
        SelectedObject selected(dc, pen.Get());
        MoveToEx(dc, line.x0, line.y0, nullptr);
        LineTo(dc, line.x1, line.y1);
    }
}

}  // namespace

void FillRowGradient(HDC dc, const RECT& rect, COLORREF first, COLORREF second) {
    Fill(GradientKind::kRows, dc, rect, first, second);
}

void FillColumnGradient(HDC dc, const RECT& rect, COLORREF first, COLORREF second) {
    Fill(GradientKind::kColumns, dc, rect, first, second);
}

void FillMirroredRowGradient(HDC dc, const RECT& rect, COLORREF first, COLORREF second) {
    Fill(GradientKind::kMirroredRows, dc, rect, first, second);
}

void FillMirroredColumnGradient(HDC dc, const RECT& rect, COLORREF first, COLORREF second) {
    Fill(GradientKind::kMirroredColumns, dc, rect, first, second);
}
