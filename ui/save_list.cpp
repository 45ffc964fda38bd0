#include "ui/save_list.h"

#include <commdlg.h>
#include <shlwapi.h>

#include "os/replace_file.h"
#include "os/utf16.h"
#include "results/result_export.h"
#include "ui/app_state.h"

namespace {

bool AskWithSaveDialog(HWND owner, SaveChoice& choice) {
    std::wstring name(32768, L'\0');  // a path of any length
    name.replace(0, 21, L"Scourwell results.csv");
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = L"CSV (*.csv)\0*.csv\0Text (*.txt)\0*.txt\0";
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = &name[0];
    dialog.nMaxFile = static_cast<DWORD>(name.size());
    dialog.lpstrDefExt = L"csv";  // the dialog takes the chosen type's own where it can
    dialog.Flags = OFN_OVERWRITEPROMPT | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST;
    if (!GetSaveFileNameW(&dialog)) {
        return false;
    }
    choice.path = name.c_str();
    choice.csv = dialog.nFilterIndex != 2;
    return true;
}

SaveChooser g_chooser = AskWithSaveDialog;

}  // namespace

SaveChooser SetSaveChooser(SaveChooser chooser) {
    const SaveChooser previous = g_chooser;
    g_chooser = chooser;
    return previous;
}

void SaveResultList() {
    SaveChoice choice;
    if (!g_chooser(g_app.dialogWindow, choice)) {
        return;
    }
    if (*PathFindExtensionW(choice.path.c_str()) == L'\0') {
        choice.path += choice.csv ? L".csv" : L".txt";
    }
    std::string bytes = ExportStart(choice.csv);
    const SearchState& state = g_app.search;
    for (std::size_t row = 0; row < g_app.resultIcons.size(); ++row) {
        AppendExportRow(
            bytes,
            {state.FoundName(row), ResultCellText(state, row, 1), ResultCellText(state, row, 2),
             state.Found(row).size, state.FoundPath(row)},
            choice.csv);
    }
    std::string error;
    const std::string path = os::Narrow(choice.path.c_str());
    if (!os::WriteFileReplacing(path, bytes, error)) {
        MessageBoxW(g_app.dialogWindow, os::Widen(path + "\n\n" + error).c_str(), L"Error",
                    MB_OK | MB_ICONWARNING | MB_TOPMOST);
    }
}
