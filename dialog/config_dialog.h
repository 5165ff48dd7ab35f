// The modal settings dialog for the fourteen editable taps of an instance.
#pragma once

#include <windows.h>

#include "processing/instance.h"

namespace quorrel {

// Runs dialog template 101 from `module` modally, owned by `parent`, on
// `instance`. Returns 0 when the user pressed OK (all fourteen taps are then
// rewritten from their boxes' text) and 1 when the user cancelled or the
// dialog could not be shown (the instance is then untouched).
int ConfigureInstance(InstanceData* instance, HINSTANCE module, HWND parent);

// The dialog procedure of template 101; its initialisation parameter is the
// InstanceData. Also realigns the stack: on 32 bits the dialog manager may
// call with 4-byte alignment.
__attribute__((force_align_arg_pointer)) INT_PTR CALLBACK
ConfigDialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);

}  // namespace quorrel
