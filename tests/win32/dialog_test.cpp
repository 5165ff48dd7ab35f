// The settings dialog, opened through the module's configure callback on a
// virtual display, and operated from a watcher thread.
#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "processing/instance.h"
#include "tests/win32/dialog_watcher.h"
#include "tests/win32/fake_host.h"

namespace quorrel_test {
namespace {

// The boxes in template order, and which tap each one edits: set (0 Y a,
// 1 Y b, 2 UV a, 3 UV b) and index (0 for a[1] or b[1]).
struct Box {
    int id;
    int set;
    int index;
};
const Box kBoxes[] = {
    {1004, 0, 1}, {1005, 0, 2}, {1006, 0, 3}, {1002, 1, 0}, {1003, 1, 1},
    {1009, 1, 2}, {1010, 1, 3}, {1011, 2, 1}, {1013, 2, 2}, {1014, 2, 3},
    {1012, 3, 0}, {1015, 3, 1}, {1016, 3, 2}, {1017, 3, 3},
};

quorrel::Tap& TapOf(quorrel::InstanceData& data, const Box& box) {
    quorrel::CoefficientSet* sets[] = {&data.y_a, &data.y_b, &data.uv_a, &data.uv_b};
    return sets[box.set]->tap[box.index];
}

int32_t Pack(int first, int second) {
    return static_cast<int32_t>((static_cast<uint32_t>(first & 0xFFFF) << 16) |
                                static_cast<uint32_t>(second & 0xFFFF));
}

class DialogTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(filter_.Register());
        parent_ = CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100,
                                  nullptr, nullptr, nullptr, nullptr);
        ASSERT_NE(parent_, nullptr);
    }
    void TearDown() override {
        DestroyWindow(parent_);
        filter_.Unregister();
    }

    // Opens the dialog on `instance` and returns the configure callback's result.
    int Run(HostInstance& instance, const DialogActions& actions, DialogRecord* record) {
        int result = -1;
        *record = RunDialogWithWatcher([&] { return instance.Configure(parent_); }, actions,
                                       &result);
        EXPECT_TRUE(record->found);
        EXPECT_EQ(record->error, "");
        return result;
    }
    quorrel::InstanceData& data(HostInstance& instance) {
        return *static_cast<quorrel::InstanceData*>(instance.data());
    }
    std::vector<uint8_t> Taps(HostInstance& instance) {
        const auto* bytes = static_cast<const uint8_t*>(instance.data());
        return {bytes, bytes + 4 * sizeof(quorrel::CoefficientSet)};
    }

    RegisteredFilter filter_;
    HWND parent_ = nullptr;
};

TEST_F(DialogTest, NewInstanceShowsItsTapsAndOkKeepsThem) {
    HostInstance instance(filter_);
    ASSERT_EQ(instance.Init(), 0);
    const std::vector<uint8_t> before = Taps(instance);
    HWND owner = nullptr;
    DialogActions actions;
    actions.inspect = [&](HWND dialog) { owner = GetWindow(dialog, GW_OWNER); };
    actions.finish = DialogFinish::kClickOk;
    DialogRecord record;
    EXPECT_EQ(Run(instance, actions, &record), 0);
    EXPECT_EQ(owner, parent_);
    ASSERT_EQ(record.shown.size(), 14u);
    for (const Box& box : kBoxes)
        EXPECT_EQ(record.shown[box.id], box.id == 1002 || box.id == 1012 ? "1.00" : "0.00")
            << "box " << box.id;
    EXPECT_TRUE(Taps(instance) == before);
}

TEST_F(DialogTest, OkWithoutEditingRewritesTapsFromTheirText) {
    HostInstance instance(filter_);
    ASSERT_EQ(instance.Init(), 0);
    // Y a[1] 77, a[2] 1025, a[3] 1030, a[4] -6, b[1] 20000, b[2] 128, b[3] -16349,
    // b[4] 16382; UV a[1] -99, the rest 0 but UV b[1] -1.
    const int32_t values[8] = {Pack(77, 1025), Pack(1030, -6), Pack(20000, 128),
                               Pack(-16349, 16382), Pack(-99, 0), 0, Pack(-1, 0), 0};
    instance.Config(values, 8);
    DialogActions actions;
    actions.finish = DialogFinish::kClickOk;
    DialogRecord record;
    EXPECT_EQ(Run(instance, actions, &record), 0);

    EXPECT_EQ(record.shown[1004], "1.00");
    EXPECT_EQ(record.shown[1005], "1.01");
    EXPECT_EQ(record.shown[1006], "-0.01");
    EXPECT_EQ(record.shown[1002], "19.53");
    EXPECT_EQ(record.shown[1012], "-0.00");
    const quorrel::InstanceData& d = data(instance);
    EXPECT_EQ(d.y_a.tap[0], 77);  // a[1] has no box
    EXPECT_EQ(d.y_a.tap[1], 1024);
    EXPECT_EQ(d.y_a.tap[2], 1034);
    EXPECT_EQ(d.y_a.tap[3], -10);
    EXPECT_EQ(d.y_b.tap[0], 16383);
    EXPECT_EQ(d.y_b.tap[1], 133);
    EXPECT_EQ(d.y_b.tap[2], -16353);
    EXPECT_EQ(d.y_b.tap[3], 16383);
    EXPECT_EQ(d.uv_a.tap[0], -99);
    EXPECT_EQ(d.uv_b.tap[0], 0);
}

// What the user types into each box, and the tap that OK stores.
struct Typed {
    const char* text;
    quorrel::Tap tap;
};
const Typed kTyped[14] = {
    {"0.123456789", 126},  // read as its first nine characters, 0.1234567
    {"", 0},
    {"20", 16383},
    {"-1e999", -16384},
    {"1,5", 1024},
    {" -0.5", -512},
    {"abc", 0},
    {"2d-1", 205},
    {"-15.97", -16353},
    {"0.25", 256},
    {"-16", -16384},
    {"15.99", 16374},
    {"0x10", 0},
    {"+.5e1", 5120},
};

struct FinishCase {
    const char* name;
    DialogFinish finish;
    int result;  // 0: OK stores the typed taps; 1: nothing changes
};
// Test names say enough; GoogleTest would print the bytes.
void PrintTo(const FinishCase& c, std::ostream* out) { *out << c.name; }

const FinishCase kFinishes[] = {
    {"ClickOk", DialogFinish::kClickOk, 0},
    {"EnterPressesTheDefaultButton", DialogFinish::kPressEnter, 0},
    {"ClickCancel", DialogFinish::kClickCancel, 1},
    {"Escape", DialogFinish::kPressEscape, 1},
    {"CloseBox", DialogFinish::kCloseBox, 1},
};

class DialogFinishTest : public DialogTest, public testing::WithParamInterface<FinishCase> {};

TEST_P(DialogFinishTest, TypedTextReachesEachTapOnlyOnOk) {
    const FinishCase& c = GetParam();
    HostInstance instance(filter_);
    ASSERT_EQ(instance.Init(), 0);
    const int32_t a1_marks[8] = {Pack(-300, 0), 0, Pack(1024, 0), 0, Pack(301, 0), 0,
                                 Pack(1024, 0), 0};
    instance.Config(a1_marks, 8);
    const std::vector<uint8_t> before = Taps(instance);

    DialogActions actions;
    for (size_t i = 0; i < 14; ++i) actions.type.emplace_back(kBoxes[i].id, kTyped[i].text);
    actions.finish = c.finish;
    DialogRecord record;
    EXPECT_EQ(Run(instance, actions, &record), c.result);

    if (c.result == 1) {
        EXPECT_TRUE(Taps(instance) == before);
        return;
    }
    quorrel::InstanceData& d = data(instance);
    for (size_t i = 0; i < 14; ++i)
        EXPECT_EQ(TapOf(d, kBoxes[i]), kTyped[i].tap)
            << "box " << kBoxes[i].id << " typed \"" << kTyped[i].text << "\"";
    EXPECT_EQ(d.y_a.tap[0], -300);
    EXPECT_EQ(d.uv_a.tap[0], 301);
}

INSTANTIATE_TEST_SUITE_P(Dialog, DialogFinishTest, testing::ValuesIn(kFinishes),
                         [](const testing::TestParamInfo<FinishCase>& info) {
                             return std::string(info.param.name);
                         });

}  // namespace
}  // namespace quorrel_test
