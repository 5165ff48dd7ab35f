// An instance on host storage: init, the description, and the settings the
// host saves and restores through the script line and the Config method.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "processing/instance.h"
#include "settings/script_line.h"
#include "tests/win32/fake_host.h"

namespace quorrel_test {
namespace {

class HostInstanceTest : public testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(filter_.Register()); }
    void TearDown() override { filter_.Unregister(); }

    quorrel::InstanceData& data(HostInstance& instance) {
        return *static_cast<quorrel::InstanceData*>(instance.data());
    }
    std::string ScriptLine(HostInstance& instance) {
        char line[200];
        EXPECT_EQ(instance.ScriptString(line, sizeof line), 1);
        return line;
    }

    RegisteredFilter filter_;
};

const char kDefaultLine[] = "Config(0, 0, 67108864, 0, 0, 0, 67108864, 0)";
const int32_t kSomeTaps[8] = {65024, -1073725441, 67173888, 1073725440,
                              -67108864, 123456789, -5, 2147483647};

TEST_F(HostInstanceTest, InitOnGarbageStorageSetsTheIdentityFilter) {
    HostInstance instance(filter_);
    EXPECT_EQ(instance.Init(), 0);
    EXPECT_EQ(ScriptLine(instance), kDefaultLine);
    const quorrel::InstanceData& d = data(instance);
    EXPECT_EQ(d.y_b.tap[0], 1024);
    EXPECT_EQ(d.uv_b.tap[0], 1024);
    EXPECT_EQ(d.y_a.tap[1], 0);
}

TEST_F(HostInstanceTest, DescriptionWritesExactlyASpaceAndTerminator) {
    HostInstance instance(filter_);
    ASSERT_EQ(instance.Init(), 0);
    char buffer[16];
    std::memset(buffer, '#', sizeof buffer);
    filter_.Field<StringCallback>(definition::kString)(instance.activation(), nullptr, buffer);
    EXPECT_EQ(buffer[0], ' ');
    EXPECT_EQ(buffer[1], '\0');
    for (size_t i = 2; i < sizeof buffer; ++i) EXPECT_EQ(buffer[i], '#') << "byte " << i;
}

TEST_F(HostInstanceTest, ConfigRestoresWhatTheScriptLineSaved) {
    HostInstance saved(filter_);
    ASSERT_EQ(saved.Init(), 0);
    saved.Config(kSomeTaps, 8);
    const std::string line = ScriptLine(saved);
    EXPECT_EQ(line,
              "Config(65024, -1073725441, 67173888, 1073725440, -67108864, 123456789, -5, "
              "2147483647)");

    quorrel::ScriptArguments arguments;
    ASSERT_EQ(quorrel::ReadScriptLine(line.c_str(), &arguments), "");
    HostInstance restored(filter_);
    ASSERT_EQ(restored.Init(), 0);
    restored.Config(arguments.value, 8);
    EXPECT_EQ(std::memcmp(&data(restored), &data(saved), 4 * sizeof(quorrel::CoefficientSet)), 0);
}

TEST_F(HostInstanceTest, ConfigWithAnotherCountChangesNothing) {
    HostInstance instance(filter_);
    ASSERT_EQ(instance.Init(), 0);
    for (int32_t count : {0, 7, 9}) {
        instance.Config(kSomeTaps, count);
        EXPECT_EQ(ScriptLine(instance), kDefaultLine) << count << " arguments";
    }
}

TEST_F(HostInstanceTest, ScriptStringFailsCleanlyOnAShortBuffer) {
    HostInstance instance(filter_);
    ASSERT_EQ(instance.Init(), 0);
    const int32_t fits = static_cast<int32_t>(sizeof kDefaultLine);
    char buffer[64];

    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(instance.ScriptString(buffer, fits), 1);
    EXPECT_STREQ(buffer, kDefaultLine);

    std::memset(buffer, '#', sizeof buffer);
    EXPECT_EQ(instance.ScriptString(buffer, fits - 1), 0);
    EXPECT_EQ(buffer[0], '\0');
    EXPECT_EQ(buffer[1], '#');
}

}  // namespace
}  // namespace quorrel_test
