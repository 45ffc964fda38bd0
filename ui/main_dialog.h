// The main dialog: set-up, commands, context menus, shell actions and the close protocol.
// Everything here runs on the dialog thread.
#pragma once

#include <windows.h>

constexpr UINT_PTR TIMER_CLOSE_RETRY = 10;  // 100 ms while a close waits for the worker
constexpr UINT_PTR TIMER_STATUS_TICK = 20;  // 250 ms while a search runs
constexpr UINT_PTR TIMER_START_RETRY = 30;  // 10 ms while a Start waits for the last worker

// Sent by the worker: lParam is a ResultRowBatch to append to the results list.
constexpr UINT WM_ADD_RESULT_ROWS = WM_APP + 10;
// Sent by the worker before the result set changes: empties the results list.
constexpr UINT WM_CLEAR_RESULT_ROWS = WM_APP + 11;
// Posted to itself at set-up: lParam is the CommandLineOptions whose folders to add now.
constexpr UINT WM_ADD_STARTUP_FOLDERS = WM_APP + 12;
// Posted by the worker: the taskbar button's TaskbarState (wParam) and percentage (lParam).
constexpr UINT WM_TASKBAR_PROGRESS = WM_APP + 13;

// The dialog's creation parameter is null or the CommandLineOptions to start with, which must
// live as long as the dialog.
INT_PTR CALLBACK MainDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);

// Pops the first submenu of a menu resource up at the mouse position.
void ShowContextMenu(HWND owner, int menuId);
