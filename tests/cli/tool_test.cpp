// Drives the built quorrel binary through the shell, as a user would:
// files, pipes, exit codes and messages.
#include <dirent.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "cli/config_line.h"
#include "cli/png_codec.h"
#include "cli/sample_picture.h"
#include "tests/cli/core_run.h"

namespace quorrel {
namespace {

// Demo-like taps, as the line the module would write for them.
const char kLine[] = "Config(0, 0, 33554944, 0, 64768, 0, 16777216, 0)";

struct ToolResult {
    int exit_code;
    std::string out;
    std::string err;
};

class ToolTest : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/quorrel-tool-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
    }
    void TearDown() override {
        for (const std::string& name : Entries()) std::remove(Path(name).c_str());
        rmdir(folder_.c_str());
    }

    std::string Path(const std::string& name) const { return folder_ + "/" + name; }

    std::set<std::string> Entries() const {
        std::set<std::string> names;
        DIR* dir = opendir(folder_.c_str());
        while (dirent* entry = readdir(dir)) {
            const std::string name = entry->d_name;
            if (name != "." && name != "..") names.insert(name);
        }
        closedir(dir);
        return names;
    }

    void Save(const std::string& name, const std::vector<uint8_t>& bytes) const {
        std::ofstream(Path(name), std::ios::binary)
            .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    std::vector<uint8_t> Load(const std::string& name) const {
        std::ifstream in(Path(name), std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
    }

    // Runs `quorrel ARGS` in the test folder with `input` (when given)
    // piped into standard input; standard output and error are captured.
    ToolResult Run(const std::string& args, const std::string& input = "") const {
        const std::string feed = input.empty() ? "" : "cat '" + input + "' | ";
        const std::string command = "cd '" + folder_ + "' && " + feed + "'" QUORREL_TOOL "' " + args +
                                    " >'" + Path("stdout") + "' 2>'" + Path("stderr") + "'";
        const int status = std::system(command.c_str());
        ToolResult result{WIFEXITED(status) ? WEXITSTATUS(status) : -1, "", ""};
        const std::vector<uint8_t> out = Load("stdout"), err = Load("stderr");
        result.out.assign(out.begin(), out.end());
        result.err.assign(err.begin(), err.end());
        std::remove(Path("stdout").c_str());
        std::remove(Path("stderr").c_str());
        return result;
    }

    static InstanceData LineTaps() {
        InstanceData taps;
        InitInstance(&taps);
        ApplyConfigLine(kLine, &taps);
        return taps;
    }

    std::string folder_;
};

TEST_F(ToolTest, FiltersAPngAsTheCoreDoes) {
    const BgraImage sample = MakeSamplePicture();
    Save("in.png", EncodePng(sample));
    for (const char* threads : {"1", "3"}) {
        const ToolResult result = Run(std::string("run --threads ") + threads + " --config '" + kLine +
                                      "' in.png out.png");
        ASSERT_EQ(result.exit_code, 0) << result.err;
        EXPECT_EQ(result.err, "");
        const BgraImage out = DecodePng(Load("out.png"), "out.png");
        EXPECT_EQ(out.pixels, RunCore(LineTaps(), sample.size, sample.pixels)) << threads;
    }
    EXPECT_EQ(Entries(), (std::set<std::string>{"in.png", "out.png"}));
}

TEST_F(ToolTest, PipesWholeFramesThenNamesTheShortOne) {
    const FrameSize size{37, 11};
    const size_t frame = FrameByteCount(size);
    std::vector<uint8_t> stream = RandomBytes(3 * frame + 100, 5);
    Save("in.raw", stream);

    const ToolResult result = Run(std::string("run --size 37x11 --config '") + kLine + "' - -", Path("in.raw"));
    EXPECT_EQ(result.exit_code, 1);
    EXPECT_EQ(result.err, "quorrel: standard input ends inside frame 4: it has 100 of " +
                              std::to_string(frame) + " bytes\n");
    ASSERT_EQ(result.out.size(), 3 * frame) << "every whole frame before the short one";
    for (size_t k = 0; k < 3; ++k) {
        const std::vector<uint8_t> in(stream.begin() + k * frame, stream.begin() + (k + 1) * frame);
        const std::vector<uint8_t> expected = RunCore(LineTaps(), size, in);
        EXPECT_EQ(result.out.compare(k * frame, frame, std::string(expected.begin(), expected.end())), 0)
            << "frame " << k + 1;
    }

    // Into a file, the failed run leaves the old file as it was.
    Save("out.raw", {'o', 'l', 'd'});
    EXPECT_EQ(Run("run --size 37x11 in.raw out.raw").exit_code, 1);
    EXPECT_EQ(Load("out.raw"), (std::vector<uint8_t>{'o', 'l', 'd'}));
    EXPECT_EQ(Entries(), (std::set<std::string>{"in.raw", "out.raw"}));

    // Whole frames only: the default taps give the colour bytes back.
    stream.resize(3 * frame);
    Save("in.raw", stream);
    const ToolResult whole = Run("run --size 37x11 --threads 2 - out.raw", Path("in.raw"));
    ASSERT_EQ(whole.exit_code, 0) << whole.err;
    EXPECT_EQ(whole.err, "") << "no progress into a pipe or file";
    const std::vector<uint8_t> out = Load("out.raw");
    ASSERT_EQ(out.size(), stream.size());
    for (size_t i = 0; i < out.size(); ++i)
        ASSERT_EQ(out[i], i % 4 == 3 ? 0 : stream[i]) << "byte " << i;
}

TEST_F(ToolTest, RefusesBadArgumentsAndBadDataWithTheirExitCodes) {
    Save("in.raw", std::vector<uint8_t>(64));
    Save("bad.png", {'n', 'o', 't', ' ', 'p', 'n', 'g'});
    const struct {
        const char* args;
        int exit_code;
        const char* message;
    } cases[] = {
        {"run in.raw out.raw", 2, "--size"},
        {"run --size 4x0 in.raw out.raw", 2, "--size"},
        {"run --size 4x4x4 in.raw out.raw", 2, "--size"},
        {"run --size 4x4 bad.png out.png", 2, "--size"},
        {"run --size 4x4 --config 'Config(1, 2)' in.raw out.raw", 2, "Config(1, 2)"},
        {"run --threads 0 --size 4x4 in.raw out.raw", 2, "--threads"},
        {"run --size 4x4", 2, "IN"},
        {"frobnicate", 2, "subcommand"},
        {"show 'Config(0, 0)'", 2, "Config(0, 0)"},
        {"line --y-a 0.5,0.5", 2, "--y-a"},
        {"run bad.png out.png", 1, "bad.png"},
        {"run missing.png out.png", 1, "missing.png"},
        {"run --size 4x4 in.raw nowhere/out.raw", 1, "nowhere/out.raw"},
        {"run --size 2x2 in.raw out.png", 1, "more than one frame"},
    };
    for (const auto& c : cases) {
        const ToolResult result = Run(c.args);
        EXPECT_EQ(result.exit_code, c.exit_code) << c.args << ": " << result.err;
        EXPECT_NE(result.err.find(c.message), std::string::npos) << c.args << ": " << result.err;
        EXPECT_EQ(Entries(), (std::set<std::string>{"in.raw", "bad.png"})) << c.args;
    }
}

TEST_F(ToolTest, LineAndShowSpeakTheModulesLine) {
    const ToolResult line = Run("line --y-b 0.5,0.5,0,0 --uv-a -0.75,0,0 --uv-b 0.25,0,0,0");
    EXPECT_EQ(line.exit_code, 0);
    EXPECT_EQ(line.out, std::string(kLine) + "\n");
    EXPECT_EQ(Run("line").out, "Config(0, 0, 67108864, 0, 0, 0, 67108864, 0)\n");
    // Box texts are cut at 9 characters and read as the dialog reads them.
    EXPECT_EQ(Run("line --y-b 1.00000000001,0.123456789,,junk").out,
              "Config(0, 0, 67108990, 0, 0, 0, 67108864, 0)\n");

    // a[1] = 3 survives OK; Y b[1] = 1025 shows as 1.00 and saves as 1024.
    const ToolResult show = Run("show 'Config(196608,0,67174400,0,0,0,67108864,0)'");
    EXPECT_EQ(show.exit_code, 0) << show.err;
    EXPECT_EQ(show.out,
              "Y                                   UV\n"
              "a[i]:          0.00   0.00   0.00   a[i]:          0.00   0.00   0.00\n"
              "b[i]:   1.00   0.00   0.00   0.00   b[i]:   1.00   0.00   0.00   0.00\n"
              "OK saves: Config(196608, 0, 67108864, 0, 0, 0, 67108864, 0)\n");
}

}  // namespace
}  // namespace quorrel
