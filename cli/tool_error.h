// How a command of the tool fails: a message for standard error and the
// process exit code that goes with it.
#pragma once

#include <stdexcept>
#include <string>

namespace quorrel {

enum ExitCode : int {
    kExitOk = 0,
    kExitBadData = 1,  // unreadable or malformed input, or a failed write
    kExitUsage = 2,    // arguments the tool cannot act on
};

class ToolError : public std::runtime_error {
public:
    ToolError(ExitCode code, const std::string& message)
        : std::runtime_error(message), code_(code) {}
    ExitCode exit_code() const { return code_; }

private:
    ExitCode code_;
};

}  // namespace quorrel
