// Save List As...: every row of the results list, in list order, written to a CSV or text file
// that the user names in the system's save dialog. On the dialog thread.
#pragma once

#include <windows.h>

#include <string>

// What the user chose: the file, and whether its type is CSV (else text).
struct SaveChoice {
    std::wstring path;
    bool csv = true;
};

// Asks the user for the file; false when cancelled. The system's save dialog by default;
// tests answer in its place.
using SaveChooser = bool (*)(HWND owner, SaveChoice& choice);
SaveChooser SetSaveChooser(SaveChooser chooser);  // returns the previous one

// Writes the list to the file chosen; a failure is told in a box titled "Error" with the
// system's message, and leaves no file behind.
void SaveResultList();
