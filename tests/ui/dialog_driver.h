// Runs the real main dialog on a thread of its own, in this process, and drives it from
// the test's thread the way a user would: typing, clicking, reading what the window shows.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct MessageBoxSeen {
    std::string caption;
    std::string text;
    bool warningIcon = false;
    bool okOnly = false;
};

class DialogDriver {
  public:
    DialogDriver();   // opens the dialog and waits until it is shown
    ~DialogDriver();  // closes it (dismissing stray boxes) and waits for its thread

    HWND Dialog() const { return dialog_; }
    HWND Item(int id) const { return GetDlgItem(dialog_, id); }

    // Replaces the edit's text character by character, as typing would.
    void Type(int id, const std::string& text);
    // Clicks a button and waits for the click to be handled.
    void Click(int id);
    // Clicks without waiting, for clicks that open a modal window.
    void ClickLater(int id);
    // Sends a command to the dialog and waits for it to be handled.
    void Command(int id);
    // Starts a search and waits for its worker to end.
    void RunSearch();
    void WaitForSearchEnd();
    bool SearchRunning() const;

    // The text a control shows; for the status line, the painted label's own copy.
    std::string Text(int id) const;
    int ProgressPos() const;
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    std::vector<std::vector<std::string>> Rows(int listId, int columns) const;
    int ColumnWidth(int listId, int column) const;
    void Select(int listId, const std::vector<int>& rows, int mark);
    // Right-clicks the list; if a context menu opens, picks its item-th entry (from 1).
    // Returns whether a menu opened.
    bool ContextMenu(int listId, int item);

    bool HasMessageBox() const;
    // Waits for a message box of the dialog's thread, reads it and presses OK.
    bool TakeMessageBox(MessageBoxSeen& seen, DWORD timeoutMs = 5000);
    // Any window of the dialog's thread, other than the dialog, with this caption.
    HWND FindOwnedWindow(const char* caption) const;
    // Every text the status line was given, in order, since the driver started.
    std::vector<std::string> StatusHistory() const;
    void ClearStatusHistory();
    // Runs on the dialog thread whenever the status line is given a text, while the worker
    // waits for that call: the way to act at an exact point of a search.
    std::function<void(const std::string&)> onStatus;

    // Waits for the dialog's thread to end; false on timeout.
    bool WaitClosed(DWORD timeoutMs);
    INT_PTR Result() const { return result_; }

  private:
    static constexpr UINT kReadShownText = WM_APP + 1;
    static DWORD WINAPI DialogThread(LPVOID self);
    static LRESULT CALLBACK StatusHook(HWND, UINT, WPARAM, LPARAM);

    HWND dialog_ = nullptr;
    HANDLE thread_ = nullptr;
    DWORD threadId_ = 0;
    INT_PTR result_ = -2;
    WNDPROC statusProc_ = nullptr;
};

// Polls until done() holds or the time runs out.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs = 10000);
