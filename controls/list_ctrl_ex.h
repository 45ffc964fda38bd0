// Takes over a report-style list view that the dialog template created and gives the rest of
// the program typed forms of the few list-view messages it sends: UTF-8 texts, sent as UTF-16.
// The window owns its rows, columns and the subclass; the system owns the shared image list
// handed to the list. The wrapper only refers to them, so destroying it frees nothing and
// leaves the window alone. Its address lives in the window's user data: it is never copied.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

class ListCtrlEx {
  public:
    ListCtrlEx() = default;
    ListCtrlEx(const ListCtrlEx&) = delete;
    ListCtrlEx& operator=(const ListCtrlEx&) = delete;

    // Finds the control, subclasses it, replaces its extended styles with full-row selection,
    // label tips and double buffering, and repaints it with its frame. Returns the repaint's
    // result.
    BOOL Attach(HWND dialog, int controlId);

    // Puts the system image list in both the normal and the small slot of the list; returns the
    // small slot's previous list.
    HIMAGELIST UseSystemImageList(bool smallIcons);
    static HIMAGELIST GetSystemImageList(bool smallIcons);
    // Icon indexes in the system image list, decided without touching the disk.
    static int GetFolderIconIndex(bool smallIcons);
    static int GetFileIconIndex(const char* name, bool smallIcons);

    int InsertColumn(int column, const char* header, int format, int width, int subItem);
    int InsertItem(int row, const char* text, int image, LPARAM param);
    BOOL SetItemText(int row, int subItem, const char* text);
    // Copies the cell's text, cut at a character to fit size - 1 bytes and a terminating zero.
    BOOL GetItemText(int row, int subItem, char* buffer, int size) const;
    int GetItemCount() const;
    // A width of -1 fits the column to its widest cell; the header text does not count.
    BOOL SetColumnWidth(int column, int width);
    int GetColumnWidth(int column) const;
    // The widths of texts in the list's font, as the list measures its cells, all in one device
    // context: under Wine each context the list would take for one text costs a server call.
    std::vector<int> GetStringWidths(const std::vector<const std::string*>& texts) const;

    HWND hwnd = nullptr;  // public: callers send the list view other messages directly
    WNDPROC previousWndProc = nullptr;

  private:
    static LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};
