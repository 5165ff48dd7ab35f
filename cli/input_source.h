// The tool's input: a file, or standard input for "-".
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace quorrel {

class InputSource {
public:
    // Opens `path`, or takes standard input for "-". Throws ToolError
    // (kExitBadData) when the file cannot be opened.
    explicit InputSource(const std::string& path);
    ~InputSource();
    InputSource(const InputSource&) = delete;
    InputSource& operator=(const InputSource&) = delete;

    // Reads until `count` bytes arrived or the input ended; returns how many
    // arrived. Throws ToolError(kExitBadData) on a read error.
    size_t ReadUpTo(uint8_t* buffer, size_t count);

    // Everything up to the end of the input.
    std::vector<uint8_t> ReadAll();

    // "standard input" or the path, for messages.
    const std::string& name() const { return name_; }

private:
    int fd_;
    bool owned_;
    std::string name_;
};

}  // namespace quorrel
