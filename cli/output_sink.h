// The tool's output: a file that appears only once it is complete, or
// standard output for "-".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quorrel {

class OutputSink {
public:
    // For "-", writes go to standard output. For a path, they go to a new
    // temporary file in the same folder, which Commit renames to `path`; an
    // OutputSink destroyed without Commit removes it, so a failed run leaves
    // whatever was at `path` untouched. Throws ToolError(kExitBadData) when
    // the temporary file cannot be created.
    explicit OutputSink(const std::string& path);
    ~OutputSink();
    OutputSink(const OutputSink&) = delete;
    OutputSink& operator=(const OutputSink&) = delete;

    // Throws ToolError(kExitBadData) when the bytes cannot be written.
    void Write(const uint8_t* bytes, size_t count);

    // Puts the file in place (gives it the usual permissions of a new file,
    // or those of the file it replaces). Throws ToolError(kExitBadData) on
    // failure, and the temporary file is removed.
    void Commit();

    // "standard output" or the path, for messages.
    const std::string& name() const { return name_; }

private:
    void Discard();

    int fd_;
    std::string name_;
    std::string path_;
    std::string temporary_path_;  // empty for standard output and once committed
};

}  // namespace quorrel
