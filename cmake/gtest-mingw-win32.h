// Forced into GoogleTest's own sources in mingw builds with the win32 thread
// model. That model has no std::mutex, so GoogleTest is built without thread
// safety (GTEST_IS_THREADSAFE=0); its Windows death tests still need the
// handle owner that GoogleTest then leaves out.
#pragma once

#include <windows.h>

namespace testing {
namespace internal {

class AutoHandle {
public:
    typedef void* Handle;
    AutoHandle() : handle_(INVALID_HANDLE_VALUE) {}
    explicit AutoHandle(Handle handle) : handle_(handle) {}
    ~AutoHandle() { Reset(); }
    AutoHandle(const AutoHandle&) = delete;
    AutoHandle& operator=(const AutoHandle&) = delete;

    Handle Get() const { return handle_; }
    void Reset() { Reset(INVALID_HANDLE_VALUE); }
    void Reset(Handle handle) {
        if (handle_ != handle) {
            if (IsCloseable()) ::CloseHandle(handle_);
            handle_ = handle;
        }
    }

private:
    bool IsCloseable() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
    Handle handle_;
};

}  // namespace internal
}  // namespace testing
