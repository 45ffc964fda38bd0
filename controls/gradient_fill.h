// The four gradient fills of the painted controls: one pen and one line per row or column,
// in the colours the plain gradient arithmetic gives. Rectangles are used as they are.
#pragma once

#include <windows.h>

void FillRowGradient(HDC dc, const RECT& rect, COLORREF first, COLORREF second);
void FillColumnGradient(HDC dc, const RECT& rect, COLORREF first, COLORREF second);
void FillMirroredRowGradient(HDC dc, const RECT& rect, COLORREF first, COLORREF second);
void FillMirroredColumnGradient(HDC dc, const RECT& rect, COLORREF first, COLORREF second);
