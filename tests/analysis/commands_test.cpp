// Drives `quorrel response`, `quorrel design` and the warning of `quorrel
// run` through the built binary: output, exit codes and messages.
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <regex>
#include <string>

#include "analysis/dialog_safe.h"
#include "analysis/poles.h"
#include "settings/script_line.h"

namespace quorrel {
namespace {

// Y: y = x/2 + 1.1 y[-1], which runs away; UV: the identity.
const char kUnstableLuma[] = "Config(64410, 0, 33554432, 0, 0, 0, 67108864, 0)";

struct ToolResult {
    int exit_code;
    std::string out;
    std::string err;
};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

class AnalysisCommandsTest : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/quorrel-design-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override {
        for (const char* name : {"stdout", "stderr", "plot.png", "in.png", "out.png"})
            std::remove(Path(name).c_str());
        rmdir(folder_.c_str());
    }

    std::string Path(const std::string& name) const { return folder_ + "/" + name; }

    ToolResult Run(const std::string& args) const {
        const std::string command = "cd '" + folder_ + "' && '" QUORREL_TOOL "' " + args + " >'" +
                                    Path("stdout") + "' 2>'" + Path("stderr") + "'";
        const int status = std::system(command.c_str());
        return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadFile(Path("stdout")),
                ReadFile(Path("stderr"))};
    }

    std::string folder_;
};

// The taps of the first Config line in `text`.
bool TapsOfLine(const std::string& text, InstanceData* instance) {
    std::smatch match;
    if (!std::regex_search(text, match, std::regex("Config\\([^)]*\\)"))) return false;
    ScriptArguments arguments;
    if (!ReadScriptLine(match.str().c_str(), &arguments).empty()) return false;
    InitInstance(instance);
    ScriptConfig(instance, arguments.value);
    return true;
}

TEST_F(AnalysisCommandsTest, ResponseSummarisesBothGroupsAndWarnsOfRunaways) {
    const ToolResult r = Run(std::string("response '") + kUnstableLuma + "' --plot plot.png");
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_NE(r.out.find("Y (luma)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("UV (chroma)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("WARNING: the Y taps are UNSTABLE"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("UV taps are"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("poles  1.0996"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("keeps every tap"), std::string::npos) << r.out;
    EXPECT_EQ(ReadFile(Path("plot.png")).substr(1, 3), "PNG");
}

TEST_F(AnalysisCommandsTest, ResponseSaysWhatPressingOkWouldChange) {
    // Y b[1] = 1025 shows as 1.00 and comes back as 1024.
    const ToolResult r = Run("response 'Config(0, 0, 67174400, 0, 0, 0, 67108864, 0)'");
    EXPECT_EQ(r.exit_code, 0) << r.err;
    EXPECT_NE(r.out.find("would change 1 tap:\n  Y b[1] 1025 -> 1024\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("and the response would then be:\nY (luma)"), std::string::npos) << r.out;
}

TEST_F(AnalysisCommandsTest, DesignPrintsTheLineTheDialogAndTheResponse) {
    const std::string base = "Config(0, 0, 33554944, 0, 0, 0, 67108864, 0)";
    const ToolResult r = Run("design lowpass --cutoff 0.1 --order 2 --for chroma --base '" + base + "'");
    ASSERT_EQ(r.exit_code, 0) << r.err;
    InstanceData designed;
    ASSERT_TRUE(TapsOfLine(r.out, &designed)) << r.out;
    // Luma keeps the base's two-tap average; chroma gets the design.
    EXPECT_EQ(designed.y_b.tap[0], 512);
    EXPECT_EQ(designed.y_b.tap[1], 512);
    EXPECT_EQ(StabilityOf(designed.uv_a), Stability::kStable);
    EXPECT_NE(designed.uv_a.tap[1], 0);
    long sum = 0;
    for (int k = 0; k < 4; ++k) sum += designed.uv_b.tap[k] - (k ? designed.uv_a.tap[k] : 1024);
    EXPECT_EQ(sum, 0) << "DC gain of the designed chroma taps";
    EXPECT_NE(r.out.find("a[i]:"), std::string::npos) << r.out;  // the dialog's rows
    EXPECT_NE(r.out.find("-3 dB  at 0.10"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Pressing OK in the settings dialog would change"), std::string::npos) << r.out;
}

TEST_F(AnalysisCommandsTest, DialogSafeDesignSurvivesOk) {
    const ToolResult r = Run("design highpass --cutoff 0.2 --order 3 --dialog-safe");
    ASSERT_EQ(r.exit_code, 0) << r.err;
    InstanceData designed;
    ASSERT_TRUE(TapsOfLine(r.out, &designed)) << r.out;
    // The fourteen taps the dialog shows: a[2..4] and b[1..4] of each group.
    for (const CoefficientSet* a : {&designed.y_a, &designed.uv_a})
        for (int k = 1; k < 4; ++k) EXPECT_TRUE(SurvivesDialog(a->tap[k])) << "a" << k + 1;
    for (const CoefficientSet* b : {&designed.y_b, &designed.uv_b})
        for (int k = 0; k < 4; ++k) EXPECT_TRUE(SurvivesDialog(b->tap[k])) << "b" << k + 1;
    EXPECT_NE(r.out.find("keeps every tap"), std::string::npos) << r.out;
}

TEST_F(AnalysisCommandsTest, RefusalsAndUsageErrorsHaveTheirExitCodes) {
    const struct {
        const char* args;
        int exit_code;
        const char* message;
    } cases[] = {
        {"design lowpass --cutoff 0.0001 --order 1", 1, "design refused: cutoff 0.0001 is too low"},
        {"design highpass --cutoff 0.004 --order 3", 1, "design refused: the rounded taps are unstable"},
        {"design lowpass --cutoff 0.5", 2, "strictly between 0 and 0.5"},
        {"design lowpass --cutoff 0.1 --order 4", 2, "--order"},
        {"design bandpass --cutoff 0.1", 2, "bandpass"},
        {"design lowpass --cutoff 0.1 --for alpha", 2, "alpha"},
        {"response 'Config(1, 2)'", 2, "bad Config line"},
        {"response 'Config(0, 0, 67108864, 0, 0, 0, 67108864, 0)' --plot plot.gif", 2, ".png or .svg"},
        {"response 'Config(0, 0, 67108864, 0, 0, 0, 67108864, 0)' --plot missing/plot.png", 1,
         "cannot write"},
    };
    for (const auto& c : cases) {
        const ToolResult r = Run(c.args);
        EXPECT_EQ(r.exit_code, c.exit_code) << c.args << "\n" << r.err;
        EXPECT_NE(r.err.find(c.message), std::string::npos) << c.args << "\n" << r.err;
    }
}

TEST_F(AnalysisCommandsTest, RunWarnsOnceAboutUnstableTaps) {
    ASSERT_EQ(Run("sample in.png").exit_code, 0);
    const ToolResult unstable = Run(std::string("run in.png out.png --config '") + kUnstableLuma + "'");
    EXPECT_EQ(unstable.exit_code, 0) << unstable.err;
    EXPECT_EQ(unstable.err, "quorrel: warning: Y taps are unstable: filtered rows will saturate to 0 or 4095\n");
    const ToolResult stable = Run("run in.png out.png --config 'Config(0, 0, 33554944, 0, 0, 0, 67108864, 0)'");
    EXPECT_EQ(stable.exit_code, 0);
    EXPECT_EQ(stable.err, "");
}

}  // namespace
}  // namespace quorrel
