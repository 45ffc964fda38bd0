// Found files as rows of the results list: icon and name, local date, size, full path. The
// list is virtual: row i shows found file i of the result set, and asks for each cell's text
// when it paints it; besides the file, the dialog keeps only each row's icon. The worker
// prepares a batch of rows, the dialog thread adds it.
#pragma once

#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "controls/gdi_handles.h"
#include "controls/list_ctrl_ex.h"
#include "engine/chunked_array.h"
#include "engine/search_model.h"

// Each shown row's icon in the system image list.
using RowIcons = ChunkedArray<int>;

class ResultColumnFit;

// One batch of consecutive rows; the worker owns it while the dialog thread adds it.
struct ResultRowBatch {
    std::size_t first = 0;
    std::vector<int> icons;
    int widest[2] = {};    // the widest name and date of the batch, in pixels, in font
    HFONT font = nullptr;  // the list's font when they were measured
    ResultColumnFit* fit = nullptr;
    bool outOfMemory = false;  // set by the dialog thread when it could not add them all
};

// Measures texts in the results list's font on a device context of the worker's own, so that
// the dialog thread never measures a batch. ASCII text is added up from a table of its
// characters' widths, as the system adds them: under Wine each measure is a call into the
// font engine. One per search, used on the worker.
class RowTextMeter {
  public:
    explicit RowTextMeter(HWND list) : list_(list), dc_(nullptr) {}  // a context like the screen's
    // Takes the list's font as it is now; Width measures in it.
    HFONT Refresh();
    int Width(std::string_view text);

  private:
    HWND list_;
    MemoryDC dc_;
    HFONT font_ = nullptr;
    std::optional<SelectedObject> selected_;
    int ascii_[128] = {};
};

// Keeps the name and date columns exactly as wide as a full fit of every row so far from each
// batch's widest cells, measured on the worker (on the dialog thread only when the font changed
// in between). One per search, used on the dialog thread.
class ResultColumnFit {
  public:
    void Widen(ListCtrlEx& list, const SearchState& state, const ResultRowBatch& batch);

  private:
    bool calibrated_ = false;
    int margin_[2] = {};  // what a full fit adds to a cell's text width
    int width_[2] = {};
    int dpi_ = 0;  // the list's DPI when they were taken
};

// The small icon of a file by its name alone, as the shell gives it. The shell decides it by
// the extension, so each extension is asked once: under Wine one question costs a fifth of a
// millisecond. One per search, used on the worker.
class FileIconCache {
  public:
    int IconOf(std::string_view name);

  private:
    std::unordered_map<std::wstring, int> byExtension_;
};

// On the worker: the icons of rows first to first + count - 1 and their widest name and date,
// for the columns kept by fit.
ResultRowBatch PrepareResultRows(const SearchState& state, std::size_t first, int count,
                                 ResultColumnFit& fit, FileIconCache& icons, RowTextMeter& meter);

// On the dialog thread: appends the batch's icons to shown, raises the list's row count to
// match, widens the name and date columns, then lets the list redraw once. Out of memory, it
// shows the rows it could add and marks the batch: an exception must not leave the window's
// message handler.
void AddResultRows(ListCtrlEx& list, const SearchState& state, ResultRowBatch& batch,
                   RowIcons& shown);

// On the dialog thread: answers the list's request for a row's icon or a cell's text, made
// as it is asked for and copied into the list's buffer, cut at a whole character.
void FillResultCell(NMLVDISPINFOW& request, const SearchState& state, const RowIcons& shown);

// A shown cell's text: the name, date, size or full path of row `row`.
std::string ResultCellText(const SearchState& state, std::size_t row, int column);
