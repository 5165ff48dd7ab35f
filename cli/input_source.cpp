#include "cli/input_source.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "cli/pipe_size.h"
#include "cli/tool_error.h"

namespace quorrel {

InputSource::InputSource(const std::string& path) : fd_(STDIN_FILENO), owned_(false) {
    if (path == "-") {
        name_ = "standard input";
        WidenPipe(fd_);
        return;
    }
    name_ = path;
    fd_ = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) throw ToolError(kExitBadData, "cannot open " + path + ": " + std::strerror(errno));
    owned_ = true;
}

InputSource::~InputSource() {
    if (owned_) close(fd_);
}

size_t InputSource::ReadUpTo(uint8_t* buffer, size_t count) {
    size_t done = 0;
    while (done < count) {
        const ssize_t got = read(fd_, buffer + done, count - done);
        if (got == 0) break;
        if (got < 0) {
            if (errno == EINTR) continue;
            throw ToolError(kExitBadData, "cannot read " + name_ + ": " + std::strerror(errno));
        }
        done += static_cast<size_t>(got);
    }
    return done;
}

std::vector<uint8_t> InputSource::ReadAll() {
    std::vector<uint8_t> bytes;
    size_t size = 0;
    for (;;) {
        bytes.resize(size + (size < 65536 ? 65536 : size));
        const size_t wanted = bytes.size() - size;
        const size_t got = ReadUpTo(bytes.data() + size, wanted);
        size += got;
        if (got < wanted) break;
    }
    bytes.resize(size);
    return bytes;
}

}  // namespace quorrel
