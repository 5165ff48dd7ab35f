#include "cli/dialog_boxes.h"

#include <cstdio>

#include "settings/coefficient_text.h"

namespace quorrel {
namespace {

// The dialog reads a box into a 10-byte buffer.
constexpr size_t kBoxCharacters = 9;

// Box texts are at most 6 characters ("-16.00"); columns of 7 keep a space
// between them, right-aligned like the boxes.
std::string Column(const char* text) {
    char cell[16];
    std::snprintf(cell, sizeof cell, "%7s", text);
    return cell;
}

std::string ARow(const CoefficientSet& a) {
    std::string row = "a[i]:" + Column("");
    for (int k = 1; k < 4; ++k) row += Column(FormatCoefficient(a.tap[k]).text);
    return row;
}

std::string BRow(const CoefficientSet& b) {
    std::string row = "b[i]:";
    for (int k = 0; k < 4; ++k) row += Column(FormatCoefficient(b.tap[k]).text);
    return row;
}

std::string Pad(std::string text, size_t width) {
    text.resize(width < text.size() ? text.size() : width, ' ');
    return text;
}

void ReadBackShown(CoefficientSet* set, int first) {
    for (int k = first; k < 4; ++k) set->tap[k] = ReadBoxText(FormatCoefficient(set->tap[k]).text);
}

}  // namespace

Tap ReadBoxText(const std::string& text) {
    return ParseCoefficient(text.substr(0, kBoxCharacters).c_str());
}

std::string DialogView(const InstanceData& instance) {
    constexpr size_t kGroupWidth = 36;
    std::string view = Pad("Y", kGroupWidth) + "UV\n";
    view += Pad(ARow(instance.y_a), kGroupWidth) + ARow(instance.uv_a) + "\n";
    view += Pad(BRow(instance.y_b), kGroupWidth) + BRow(instance.uv_b) + "\n";
    return view;
}

void PressOkUnchanged(InstanceData* instance) {
    ReadBackShown(&instance->y_a, 1);
    ReadBackShown(&instance->y_b, 0);
    ReadBackShown(&instance->uv_a, 1);
    ReadBackShown(&instance->uv_b, 0);
}

}  // namespace quorrel
