#include "ui/taskbar_button.h"

namespace {

ITaskbarList3* MakeSystemTaskbarList() {
    ITaskbarList3* list = nullptr;
    CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                     reinterpret_cast<void**>(&list));
    return list;
}

TaskbarButton::Factory g_factory = MakeSystemTaskbarList;

}  // namespace

TaskbarButton::Factory TaskbarButton::SetFactory(Factory factory) {
    const Factory previous = g_factory;
    g_factory = factory;
    return previous;
}

UINT TaskbarButton::CreatedMessage() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarButtonCreated");
    return message;
}

void TaskbarButton::OnCreated() {
    Release();
    list_ = g_factory();
    if (list_ != nullptr && FAILED(list_->HrInit())) {
        Release();
    }
}

void TaskbarButton::Show(HWND dialog, TaskbarProgress progress) {
    if (list_ == nullptr) {
        return;
    }
    list_->SetProgressState(dialog, static_cast<TBPFLAG>(progress.state));
    if (progress.state == TaskbarState::kNormal) {
        list_->SetProgressValue(dialog, static_cast<ULONGLONG>(progress.percent), 100);
    }
}

void TaskbarButton::Release() {
    if (list_ != nullptr) {
        list_->Release();
        list_ = nullptr;
    }
}
