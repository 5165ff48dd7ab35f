#include "cli/output_sink.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "cli/pipe_size.h"
#include "cli/tool_error.h"

namespace quorrel {
namespace {

std::string Failure(const std::string& what, const std::string& path) {
    return what + " " + path + ": " + std::strerror(errno);
}

// The same folder as the target, so the final rename cannot cross devices.
std::string TemporaryPattern(const std::string& path) {
    const size_t slash = path.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : path.substr(0, slash + 1);
    const std::string base = slash == std::string::npos ? path : path.substr(slash + 1);
    return folder + "." + base + ".quorrel-XXXXXX";
}

mode_t NewFileMode(const std::string& path) {
    struct stat existing;
    if (stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        return existing.st_mode & 07777;
    const mode_t mask = umask(0);
    umask(mask);
    return 0666 & ~mask;
}

}  // namespace

OutputSink::OutputSink(const std::string& path) : fd_(STDOUT_FILENO) {
    if (path == "-") {
        name_ = "standard output";
        WidenPipe(fd_);
        return;
    }
    name_ = path;
    path_ = path;
    std::string pattern = TemporaryPattern(path);
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    fd_ = mkostemp(name.data(), O_CLOEXEC);
    if (fd_ < 0) throw ToolError(kExitBadData, Failure("cannot create a file next to", path));
    temporary_path_ = name.data();
}

OutputSink::~OutputSink() { Discard(); }

void OutputSink::Discard() {
    if (temporary_path_.empty()) return;
    close(fd_);
    unlink(temporary_path_.c_str());
    temporary_path_.clear();
}

void OutputSink::Write(const uint8_t* bytes, size_t count) {
    while (count > 0) {
        const ssize_t put = write(fd_, bytes, count);
        if (put < 0) {
            if (errno == EINTR) continue;
            throw ToolError(kExitBadData, Failure("cannot write", name_));
        }
        bytes += put;
        count -= static_cast<size_t>(put);
    }
}

void OutputSink::Commit() {
    if (temporary_path_.empty()) return;
    const std::string temporary = temporary_path_;
    const bool moded = fchmod(fd_, NewFileMode(path_)) == 0;
    const bool closed = close(fd_) == 0;
    if (!moded || !closed) {
        const std::string message = Failure("cannot write", name_);
        unlink(temporary.c_str());
        temporary_path_.clear();
        throw ToolError(kExitBadData, message);
    }
    temporary_path_.clear();
    if (rename(temporary.c_str(), path_.c_str()) != 0) {
        const std::string message = Failure("cannot replace", path_);
        unlink(temporary.c_str());
        throw ToolError(kExitBadData, message);
    }
}

}  // namespace quorrel
