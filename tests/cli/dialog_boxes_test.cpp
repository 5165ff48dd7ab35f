#include "cli/dialog_boxes.h"

#include <gtest/gtest.h>

#include <string>

#include "cli/config_line.h"
#include "cli/tool_error.h"

namespace quorrel {
namespace {

TEST(ReadBoxText, ReadsOnlyTheFirstNineCharacters) {
    EXPECT_EQ(ReadBoxText("0.123456789"), 126);  // read as 0.1234567
    EXPECT_EQ(ReadBoxText("0.5"), 512);
    EXPECT_EQ(ReadBoxText(""), 0);
    EXPECT_EQ(ReadBoxText("000000000500"), 0);  // the digits that count are cut off
}

TEST(DialogView, ShowsBothGroupsWithEachATapAboveItsBTap) {
    InstanceData instance;
    InitInstance(&instance);
    instance.y_a = CoefficientSet{{7, -512, 0, 16383}};
    instance.uv_b = CoefficientSet{{-16384, 1025, 0, -1}};
    EXPECT_EQ(DialogView(instance),
              "Y                                   UV\n"
              "a[i]:         -0.50   0.00  16.00   a[i]:          0.00   0.00   0.00\n"
              "b[i]:   1.00   0.00   0.00   0.00   b[i]: -16.00   1.00   0.00  -0.00\n");
}

TEST(PressOkUnchanged, RewritesEveryShownTapFromItsTextAndKeepsATap1) {
    InstanceData instance;
    InitInstance(&instance);
    instance.y_a = CoefficientSet{{1234, 1025, -16384, 3}};
    instance.uv_b = CoefficientSet{{32767, -32768, 512, -1}};
    PressOkUnchanged(&instance);
    EXPECT_EQ(instance.y_a.tap[0], 1234) << "a[1] is not in the dialog";
    EXPECT_EQ(instance.y_a.tap[1], 1024);  // 1.00
    EXPECT_EQ(instance.y_a.tap[2], -16384);
    EXPECT_EQ(instance.y_a.tap[3], 0);  // 0.00
    EXPECT_EQ(instance.uv_b.tap[0], 16383) << "32.00 clamps";
    EXPECT_EQ(instance.uv_b.tap[1], -16384) << "-32.00 clamps";
    EXPECT_EQ(instance.uv_b.tap[2], 512);
    EXPECT_EQ(instance.uv_b.tap[3], 0);  // -0.00
}

TEST(ApplyConfigLine, AMalformedLineIsAUsageErrorAndChangesNothing) {
    InstanceData instance;
    InitInstance(&instance);
    instance.y_b.tap[3] = 99;
    for (const char* line : {"Config(1, 2, 3)", "Config(0,0,0,0,0,0,0,x)", "config(0,0,0,0,0,0,0,0)",
                             "Config(0,0,0,0,0,0,0,2147483648)", ""}) {
        try {
            ApplyConfigLine(line, &instance);
            ADD_FAILURE() << "accepted " << line;
        } catch (const ToolError& e) {
            EXPECT_EQ(e.exit_code(), kExitUsage) << line;
        }
        EXPECT_EQ(instance.y_b.tap[3], 99) << line;
    }
    ApplyConfigLine("Config( 0 ,0,67108864,0,  65024,0,67173888,-1 )", &instance);
    EXPECT_EQ(instance.y_b.tap[3], 0);
    EXPECT_EQ(instance.uv_a.tap[1], -512);
    EXPECT_EQ(instance.uv_b.tap[1], -512);
    EXPECT_EQ(instance.uv_b.tap[2], -1);
    EXPECT_EQ(instance.uv_b.tap[3], -1);
}

}  // namespace
}  // namespace quorrel
