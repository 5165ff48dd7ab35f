#include "cli/output_sink.h"

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

#include "cli/tool_error.h"

namespace quorrel {
namespace {

class OutputSinkTest : public testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/quorrel-sink-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        target_ = folder_ + "/out.raw";
    }
    void TearDown() override {
        for (const std::string& name : Entries()) std::remove((folder_ + "/" + name).c_str());
        rmdir(folder_.c_str());
    }

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
    std::string Contents() const {
        std::ifstream in(target_, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void Write(OutputSink& sink, const std::string& text) {
        sink.Write(reinterpret_cast<const uint8_t*>(text.data()), text.size());
    }

    std::string folder_;
    std::string target_;
};

TEST_F(OutputSinkTest, TheFileAppearsOnlyOnCommit) {
    {
        OutputSink sink(target_);
        Write(sink, "whole");
        EXPECT_EQ(Entries().count("out.raw"), 0u);
        sink.Commit();
    }
    EXPECT_EQ(Entries(), std::set<std::string>{"out.raw"});
    EXPECT_EQ(Contents(), "whole");
    struct stat info;
    ASSERT_EQ(stat(target_.c_str(), &info), 0);
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(info.st_mode & 0777, 0666 & ~mask);
}

TEST_F(OutputSinkTest, AFailedRunLeavesTheOldFileAndNothingElse) {
    {
        OutputSink sink(target_);
        Write(sink, "old");
        sink.Commit();
    }
    chmod(target_.c_str(), 0640);
    {
        OutputSink sink(target_);
        Write(sink, "half of the new");
        // No commit: the run failed.
    }
    EXPECT_EQ(Entries(), std::set<std::string>{"out.raw"});
    EXPECT_EQ(Contents(), "old");

    {
        OutputSink sink(target_);
        Write(sink, "new");
        sink.Commit();
    }
    EXPECT_EQ(Contents(), "new");
    struct stat info;
    ASSERT_EQ(stat(target_.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0640u) << "a replaced file keeps its permissions";
}

TEST_F(OutputSinkTest, AnUnwritableFolderIsADataError) {
    try {
        OutputSink sink(folder_ + "/missing/out.raw");
        ADD_FAILURE() << "created";
    } catch (const ToolError& e) {
        EXPECT_EQ(e.exit_code(), kExitBadData);
        EXPECT_NE(std::string(e.what()).find("missing/out.raw"), std::string::npos) << e.what();
    }
}

}  // namespace
}  // namespace quorrel
