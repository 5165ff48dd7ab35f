#include "cli/tap_report.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "analysis/response_plot.h"
#include "analysis/response_report.h"
#include "analysis/tap_filter.h"
#include "cli/dialog_boxes.h"
#include "cli/tool_error.h"

namespace quorrel {
namespace {

struct Group {
    const char* title;
    const char* name;
    CoefficientSet InstanceData::*a;
    CoefficientSet InstanceData::*b;
};

const Group kGroups[] = {
    {"Y (luma)", "Y", &InstanceData::y_a, &InstanceData::y_b},
    {"UV (chroma)", "UV", &InstanceData::uv_a, &InstanceData::uv_b},
};

// The taps of one set that OK would move, as "Y b[1] 1025 -> 1024".
void ListMoves(const char* group, char row, const CoefficientSet& before,
               const CoefficientSet& after, std::vector<std::string>* moves) {
    for (int k = row == 'a' ? 1 : 0; k < 4; ++k) {
        if (before.tap[k] == after.tap[k]) continue;
        char move[64];
        std::snprintf(move, sizeof move, "%s %c[%d] %d -> %d", group, row, k + 1, before.tap[k],
                      after.tap[k]);
        moves->push_back(move);
    }
}

}  // namespace

std::string ResponseReport(const InstanceData& instance) {
    std::string text;
    for (const Group& group : kGroups)
        text += DescribeResponse(group.title, group.name, instance.*group.a, instance.*group.b);
    return text;
}

std::string DialogOkReport(const InstanceData& instance) {
    InstanceData after = instance;
    PressOkUnchanged(&after);
    std::vector<std::string> moves;
    for (const Group& group : kGroups) {
        ListMoves(group.name, 'a', instance.*group.a, after.*group.a, &moves);
        ListMoves(group.name, 'b', instance.*group.b, after.*group.b, &moves);
    }
    if (moves.empty()) return "Pressing OK in the settings dialog keeps every tap.\n";

    // OK rewrites every tap from its two-decimal text, edited or not.
    std::string text = "Pressing OK in the settings dialog would change " +
                       std::to_string(moves.size()) + (moves.size() == 1 ? " tap:\n " : " taps:\n ");
    for (size_t i = 0; i < moves.size(); ++i) text += (i ? ", " : " ") + moves[i];
    text += "\nand the response would then be:\n";
    for (const Group& group : kGroups) {
        const CoefficientSet& a = after.*group.a;
        const CoefficientSet& b = after.*group.b;
        const bool unchanged = std::equal(a.tap, a.tap + 4, (instance.*group.a).tap) &&
                               std::equal(b.tap, b.tap + 4, (instance.*group.b).tap);
        if (!unchanged) text += DescribeResponse(group.title, group.name, a, b);
    }
    return text;
}

void CheckPlotName(const std::string& path) {
    if (!path.empty() && !IsPlotFileName(path))
        throw ToolError(kExitUsage, "the plot file " + path + " must end in .png or .svg");
}

void WritePlot(const std::string& path, const InstanceData& instance) {
    CheckPlotName(path);
    std::vector<PlotCurve> curves;
    for (const Group& group : kGroups)
        curves.push_back({group.title, TapFilterOf(instance.*group.a, instance.*group.b)});
    const std::string problem = WriteResponsePlot(path, curves);
    if (!problem.empty()) throw ToolError(kExitBadData, problem);
}

}  // namespace quorrel
