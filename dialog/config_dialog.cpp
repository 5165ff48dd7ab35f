#include "dialog/config_dialog.h"

#include <cstdint>

#include "dialog/dialog_ids.h"
#include "settings/coefficient_text.h"

namespace quorrel {
namespace {

// Each box and the tap it edits, in template order. The a[1] taps have no box.
struct TapBox {
    int id;
    CoefficientSet InstanceData::*set;
    int index;
};

const TapBox kTapBoxes[] = {
    {IDC_Y_A2, &InstanceData::y_a, 1},   {IDC_Y_A3, &InstanceData::y_a, 2},
    {IDC_Y_A4, &InstanceData::y_a, 3},   {IDC_Y_B1, &InstanceData::y_b, 0},
    {IDC_Y_B2, &InstanceData::y_b, 1},   {IDC_Y_B3, &InstanceData::y_b, 2},
    {IDC_Y_B4, &InstanceData::y_b, 3},   {IDC_UV_A2, &InstanceData::uv_a, 1},
    {IDC_UV_A3, &InstanceData::uv_a, 2}, {IDC_UV_A4, &InstanceData::uv_a, 3},
    {IDC_UV_B1, &InstanceData::uv_b, 0}, {IDC_UV_B2, &InstanceData::uv_b, 1},
    {IDC_UV_B3, &InstanceData::uv_b, 2}, {IDC_UV_B4, &InstanceData::uv_b, 3},
};

Tap& TapOf(InstanceData* instance, const TapBox& box) {
    return (instance->*box.set).tap[box.index];
}

// A text of at most 9 characters and its terminator.
constexpr int kBoxTextBuffer = 10;

// The dialog's user slot holds the InstanceData pointer; it is pointer-sized
// only on 64 bits, where the 32-bit calls would cut the pointer.
#if UINTPTR_MAX == UINT32_MAX
InstanceData* StoredInstance(HWND window) {
    return reinterpret_cast<InstanceData*>(GetWindowLongA(window, DWL_USER));
}
void StoreInstance(HWND window, LPARAM instance) {
    SetWindowLongA(window, DWL_USER, static_cast<LONG>(instance));
}
#else
InstanceData* StoredInstance(HWND window) {
    return reinterpret_cast<InstanceData*>(GetWindowLongPtrA(window, DWLP_USER));
}
void StoreInstance(HWND window, LPARAM instance) {
    SetWindowLongPtrA(window, DWLP_USER, static_cast<LONG_PTR>(instance));
}
#endif

void ShowTaps(HWND window, InstanceData* instance) {
    for (const TapBox& box : kTapBoxes)
        SetDlgItemTextA(window, box.id, FormatCoefficient(TapOf(instance, box)).text);
}

void ReadTaps(HWND window, InstanceData* instance) {
    for (const TapBox& box : kTapBoxes) {
        char text[kBoxTextBuffer] = "";
        GetDlgItemTextA(window, box.id, text, kBoxTextBuffer);
        TapOf(instance, box) = ParseCoefficient(text);
    }
}

}  // namespace

int ConfigureInstance(InstanceData* instance, HINSTANCE module, HWND parent) {
    const INT_PTR result =
        DialogBoxParamA(module, MAKEINTRESOURCEA(IDD_QUORREL_SETTINGS), parent,
                        ConfigDialogProc, reinterpret_cast<LPARAM>(instance));
    // -1: the dialog never opened, so nothing changed.
    return result == 0 ? 0 : 1;
}

INT_PTR CALLBACK ConfigDialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    InstanceData* instance = StoredInstance(window);
    switch (message) {
    case WM_INITDIALOG:
        StoreInstance(window, lparam);
        ShowTaps(window, reinterpret_cast<InstanceData*>(lparam));
        return TRUE;
    case WM_COMMAND:
        switch (LOWORD(wparam)) {
        case IDOK:
            ReadTaps(window, instance);
            EndDialog(window, 0);
            return TRUE;
        case IDCANCEL:
            EndDialog(window, 1);
            return FALSE;
        }
        return FALSE;
    }
    return FALSE;
}

}  // namespace quorrel
