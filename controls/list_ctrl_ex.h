// Takes over a report-style list view that the dialog template created and gives the rest of
// the program typed forms of the few list-view messages it sends: UTF-8 texts, sent as UTF-16.
// The window owns its rows, columns and the subclass; the system owns the shared image lists,
// the wrapper only a scaled copy it may make. Destroying it frees that copy alone and leaves
// the window alone. Its address lives in the window's user data: it is never copied.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <string_view>
#include <vector>

#include "controls/dpi_scale.h"
#include "controls/owned_image_list.h"

class ListCtrlEx {
  public:
    ListCtrlEx() = default;
    ListCtrlEx(const ListCtrlEx&) = delete;
    ListCtrlEx& operator=(const ListCtrlEx&) = delete;

    // Finds the control, subclasses it, replaces its extended styles with full-row selection,
    // label tips and double buffering, and repaints it with its frame. Returns the repaint's
    // result.
    BOOL Attach(HWND dialog, int controlId);

    // The system's icons at the small-icon size of dpi, in both slots. The shell's lists come
    // in fixed sizes: one of the size wanted is shared as it is; otherwise the wrapper makes a
    // list of that size, scaled down from the next larger system list, and keeps it in step.
    void UseSmallIcons(int dpi);
    int Dpi() const { return dpi_; }
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
    // The selected rows, top first.
    std::vector<int> GetSelectedRows() const;
    // Selects every row in one message, a virtual list's too, and puts the selection mark on
    // the first row when there is none, so that the context menu shows.
    void SelectAll();
    // A virtual list's row count: its rows ask their parent for their cells. The scroll place
    // stays, and the icons the rows show are the system's as they are now.
    BOOL SetVirtualItemCount(int count);
    // A width of -1 fits the column to its widest cell; the header text does not count.
    BOOL SetColumnWidth(int column, int width);
    int GetColumnWidth(int column) const;
    // The widths of texts in the list's font, as the list measures its cells, all in one device
    // context: under Wine each context the list would take for one text costs a server call.
    std::vector<int> GetStringWidths(const std::vector<std::string_view>& texts) const;

    HWND hwnd = nullptr;  // public: callers send the list view other messages directly
    WNDPROC previousWndProc = nullptr;

  private:
    static LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    // Copies into the wrapper's own list, if it has one, the icons its source gained since;
    // indexes stay alike.
    void CatchUpIcons();

    OwnedImageList ownIcons_;
    HIMAGELIST iconSource_ = nullptr;  // the system list ownIcons_ copies, or null
    int dpi_ = kBaseDpi;
};
