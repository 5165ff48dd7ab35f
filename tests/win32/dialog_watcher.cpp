#include "tests/win32/dialog_watcher.h"

#include <atomic>

namespace quorrel_test {
namespace {

const char kCaption[] = "Filter: Quorrel";
constexpr DWORD kPatienceMs = 10000;
constexpr DWORD kPollMs = 10;

struct WatchJob {
    const DialogActions* actions;
    DWORD dialog_thread;
    std::atomic<bool> opener_returned{false};
    DialogRecord record;
};

struct Search {
    HWND found = nullptr;
};

BOOL CALLBACK TakeDialogByCaption(HWND window, LPARAM context) {
    char class_name[16] = "";
    GetClassNameA(window, class_name, sizeof class_name);
    if (std::string(class_name) == "#32770" && WindowText(window) == kCaption) {
        reinterpret_cast<Search*>(context)->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND FindDialog(DWORD thread) {
    Search search;
    EnumThreadWindows(thread, TakeDialogByCaption, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// True once `done` holds, false after the patience ran out.
template <typename Condition>
bool WaitFor(Condition done) {
    for (DWORD waited = 0; waited < kPatienceMs; waited += kPollMs) {
        if (done()) return true;
        Sleep(kPollMs);
    }
    return done();
}

void Finish(HWND dialog, DialogFinish finish) {
    HWND first_box = GetNextDlgTabItem(dialog, nullptr, FALSE);
    switch (finish) {
    case DialogFinish::kClickOk:
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
        break;
    case DialogFinish::kClickCancel:
        SendMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
        break;
    case DialogFinish::kPressEnter:
        PostMessageA(first_box, WM_KEYDOWN, VK_RETURN, 1);
        break;
    case DialogFinish::kPressEscape:
        PostMessageA(first_box, WM_KEYDOWN, VK_ESCAPE, 1);
        break;
    case DialogFinish::kCloseBox:
        PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    }
}

DWORD WINAPI Watch(void* context) {
    WatchJob& job = *static_cast<WatchJob*>(context);
    DialogRecord& record = job.record;
    HWND dialog = nullptr;
    // Visible means WM_INITDIALOG is done and the boxes hold their text.
    const bool shown = WaitFor([&] {
        dialog = FindDialog(job.dialog_thread);
        return job.opener_returned.load() || (dialog != nullptr && IsWindowVisible(dialog));
    });
    if (!shown || dialog == nullptr || job.opener_returned.load()) {
        record.error = "no visible dialog captioned \"Filter: Quorrel\" appeared";
        return 0;
    }
    record.found = true;

    for (HWND child = GetWindow(dialog, GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        char class_name[16] = "";
        GetClassNameA(child, class_name, sizeof class_name);
        if (lstrcmpiA(class_name, "Edit") == 0) record.shown[GetDlgCtrlID(child)] = WindowText(child);
    }
    if (job.actions->inspect) job.actions->inspect(dialog);
    for (const auto& [id, text] : job.actions->type)
        if (!SetDlgItemTextA(dialog, id, text.c_str()))
            record.error = "cannot type into box " + std::to_string(id);
    Finish(dialog, job.actions->finish);

    if (!WaitFor([&] { return job.opener_returned.load(); })) {
        record.error = "the dialog did not close";
        PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
    return 0;
}

}  // namespace

std::string WindowText(HWND window) {
    char text[256] = "";
    SendMessageA(window, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text));
    return text;
}

DialogRecord RunDialogWithWatcher(const std::function<int()>& open,
                                  const DialogActions& actions, int* result) {
    WatchJob job;
    job.actions = &actions;
    job.dialog_thread = GetCurrentThreadId();
    HANDLE watcher = CreateThread(nullptr, 0, Watch, &job, 0, nullptr);
    if (watcher == nullptr) {
        job.record.error = "cannot start the watcher thread";
        return job.record;
    }
    *result = open();
    job.opener_returned = true;
    WaitForSingleObject(watcher, INFINITE);
    CloseHandle(watcher);
    return job.record;
}

}  // namespace quorrel_test
