// Found files as rows of the results list: icon and name, local date, size, full path. The
// list is virtual: row i shows found file i of the result set, and asks for each cell's text
// when it paints it; besides the file, the dialog keeps only each row's icon. The worker
// prepares a batch of rows, the dialog thread adds it.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "controls/list_ctrl_ex.h"
#include "engine/chunked_array.h"
#include "engine/search_model.h"

// Each shown row's icon in the system image list.
using RowIcons = ChunkedArray<int>;

class ResultColumnFit;

// One batch of consecutive rows; the worker owns it while the dialog thread adds it. The dates
// serve the column fit alone.
struct ResultRowBatch {
    std::size_t first = 0;
    std::vector<int> icons;
    std::vector<std::string> dates;
    ResultColumnFit* fit = nullptr;
    bool outOfMemory = false;  // set by the dialog thread when it could not add them all
};

// Keeps the name and date columns exactly as wide as a full fit of every row so far while
// measuring only each batch's new cells. One per search, used on the dialog thread.
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

// On the worker: the icons and dates of rows first to first + count - 1, for the columns kept
// by fit.
ResultRowBatch PrepareResultRows(const SearchState& state, std::size_t first, int count,
                                 ResultColumnFit& fit, FileIconCache& icons);

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
