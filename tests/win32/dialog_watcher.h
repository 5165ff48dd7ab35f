// Drives the module's settings dialog from a second thread, as a user would,
// while the calling thread sits in the dialog's modal loop.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace quorrel_test {

// How the user leaves the dialog.
enum class DialogFinish {
    kClickOk,      // BM_CLICK on the OK button
    kClickCancel,  // BM_CLICK on the Cancel button
    kPressEnter,   // Enter in an edit box: the default button
    kPressEscape,  // Esc in an edit box
    kCloseBox,     // the caption's close box
};

struct DialogActions {
    // Runs first, while the dialog shows the instance as opened.
    std::function<void(HWND dialog)> inspect;
    // Box id and the text to put into it, in this order.
    std::vector<std::pair<int, std::string>> type;
    DialogFinish finish = DialogFinish::kClickCancel;
};

struct DialogRecord {
    bool found = false;
    std::map<int, std::string> shown;  // text of each edit box as opened
    std::string error;                  // empty when everything went as asked
};

// Calls `open` (which must show the dialog on this thread and return its
// result) while a watcher finds the dialog by its caption among this
// thread's windows, then reads, types and finishes as `actions` says.
// Gives up after a few seconds and then cancels whatever is open.
DialogRecord RunDialogWithWatcher(const std::function<int()>& open,
                                  const DialogActions& actions, int* result);

// The text of a child window, read across threads.
std::string WindowText(HWND window);

}  // namespace quorrel_test
