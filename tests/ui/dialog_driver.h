// Runs the real main dialog on a thread of its own and drives it from the test's thread as a
// user would. The driver owns that thread; the dialog and its state are the program's.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "os/utf16.h"
#include "resources/resource_ids.h"
#include "tests/support/temp_tree.h"
#include "ui/handles.h"

struct DialogDriver {
    DialogDriver();   // opens the dialog and waits until it is set up
    ~DialogDriver();  // closes it and waits for its thread

    HWND Item(int id) const { return GetDlgItem(dialog, id); }
    void Type(int id, const std::string& text) const {
        SetWindowTextW(Item(id), os::Widen(text).c_str());
    }
    // Posted as a user's click; returns once it is handled or has opened a modal window.
    void Click(int id) const;
    // Clicks Start and waits until the worker has ended.
    void RunSearch() const;
    // Each row as "image|cell|cell...".
    std::vector<std::string> Rows(int listId) const;
    // Selects every row with the selection mark on `mark`, right-clicks the list below its rows
    // and picks the menu entry with this mnemonic; or, not selecting, right-clicks the mark's row.
    void ContextMenu(int listId, int mark, char key, bool selectAll = true) const;
    // A key pressed in a list, with Ctrl or without; returns once the list has taken it.
    void Key(int listId, WORD key, bool control) const;
    // Runs work on the dialog's thread after everything posted there before, and waits for it;
    // without work, only waits for what was posted before.
    void OnDialogThread(const std::function<void()>& work = [] {}) const;

    HWND dialog = nullptr;
    ThreadHandle thread;
    WNDPROC statusProc = nullptr;
    // Runs on the dialog's thread whenever the status line is given a text, while the worker
    // waits for that call: the way to act at an exact point of a search.
    std::function<void(const std::string&)> onStatus;
    std::function<void()> onDestroy;  // on the dialog's thread, as its window goes away
};

// A list view's cell, as it shows it, in UTF-8.
std::string Cell(HWND list, int row, int column);

// Waits for an error box, tells what it shows ("text, warning, OK") and presses OK; "" when none
// came (`what`: WaitUntil's).
std::string TakeErrorBox(const char* what, DWORD timeoutMs = 5000);

// Polls until done() holds; when the time runs out, fails the test with `what` unless it is
// null (then the time running out is an answer).
void WaitUntil(const char* what, const std::function<bool()>& done, DWORD timeoutMs = 10000);

// The dialog with a folder of files to search in.
struct DialogTest : ::testing::Test {
    void Add(const std::string& folder) const {
        ui.Type(IDC_PATH_EDIT, tree.Root() + folder);
        ui.Click(IDC_ADD);
    }
    // Searches the whole tree for the text and waits for the search's end.
    void Search(const std::string& text) const {
        Add("");
        ui.Type(IDC_SEARCH_TEXT, text);
        ui.RunSearch();
    }
    // Sets up a search for "Needle" in the tree that runs `act` at each search's first text.
    void AtSearchStart(const std::function<void()>& act) {
        tree.AddFile("a.txt", "Needle");
        Add("");
        ui.Type(IDC_SEARCH_TEXT, "Needle");
        ui.onStatus = [act](const std::string& text) {
            if (text == "Building File Search List...") {
                act();
            }
        };
    }
    TempTree tree;
    DialogDriver ui;  // after the tree: closed before the tree goes
};
