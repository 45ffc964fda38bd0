// Runs the real main dialog on a thread of its own and drives it from the test's thread as a
// user would. The driver owns that thread; the dialog and its state are the program's.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "ui/handles.h"

struct DialogDriver {
    DialogDriver();   // opens the dialog and waits until it is set up
    ~DialogDriver();  // closes it and waits for its thread

    HWND Item(int id) const { return GetDlgItem(dialog, id); }
    void Type(int id, const std::string& text) const { SetWindowTextA(Item(id), text.c_str()); }
    // Posted as a user's click; returns once it is handled or has opened a modal window.
    void Click(int id) const;
    // Clicks Start and waits until the worker has ended.
    void RunSearch() const;
    // Each row as "image|cell|cell...".
    std::vector<std::string> Rows(int listId) const;
    // Selects every row with the selection mark on `mark`, right-clicks the list and picks the
    // menu entry with this mnemonic.
    void ContextMenu(int listId, int mark, char key) const;
    // Runs work on the dialog's thread after everything posted there before, and waits for it.
    void OnDialogThread(const std::function<void()>& work) const;
    void Sync() const {
        OnDialogThread([] {});
    }
    bool WaitClosed(DWORD ms) const {
        return WaitForSingleObject(thread.Get(), ms) == WAIT_OBJECT_0;
    }

    HWND dialog = nullptr;
    ThreadHandle thread;
    INT_PTR result = -2;
    WNDPROC statusProc = nullptr;
    // Runs on the dialog's thread whenever the status line is given a text, while the worker
    // waits for that call: the way to act at an exact point of a search.
    std::function<void(const std::string&)> onStatus;
    std::function<void()> onDestroy;  // on the dialog's thread, as its window goes away
};

// Polls until done() holds; false when the time ran out, which fails the test with `what`
// unless it is null (then the time running out is an answer).
bool WaitUntil(const char* what, const std::function<bool()>& done, DWORD timeoutMs = 10000);
