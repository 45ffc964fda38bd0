// The DPI a window is shown at, and the dialog manager's share of a DPI change. Both calls are
// looked up at run time: older systems lack them.
#pragma once

#include <windows.h>

// GetDpiForWindow where the system has it (Windows 10 1607 and later, Wine); elsewhere the
// screen's, as older systems show every window at that one.
int DpiOfWindow(HWND window);

// On a DPI change, the dialog manager (Windows 10 1703 and later) still gives the template's
// controls the dialog font at the new DPI, but neither resizes the dialog nor moves a control:
// the anchor layout places every control from its own records, so nothing is scaled twice.
void LeaveDpiLayoutToProgram(HWND dialog);
