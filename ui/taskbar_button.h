// The dialog's taskbar button as a progress bar. The interface is made on the dialog thread
// when the taskbar says the button exists ("TaskbarButtonCreated"), again each time it says so,
// and released before COM goes; every call on it is made on that thread.
#pragma once

#include <windows.h>
#include <shobjidl.h>

#include "ui/taskbar_state.h"

class TaskbarButton {
  public:
    using Factory = ITaskbarList3* (*)();        // the system's by default; tests give a recorder
    static Factory SetFactory(Factory factory);  // returns the previous one

    // The taskbar's message, registered at the first call: the entry point asks before the
    // dialog exists, so that none is missed.
    static UINT CreatedMessage();

    TaskbarButton() = default;
    TaskbarButton(const TaskbarButton&) = delete;
    TaskbarButton& operator=(const TaskbarButton&) = delete;
    ~TaskbarButton() { Release(); }

    void OnCreated();
    void Show(HWND dialog, TaskbarProgress progress);
    void Release();

  private:
    ITaskbarList3* list_ = nullptr;
};
