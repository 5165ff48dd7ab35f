// One thread that runs one posted job at a time, so that a stage of the
// frame pipeline can overlap with the others.
#pragma once

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>

namespace quorrel {

class TaskThread {
public:
    TaskThread();
    // Waits for the job in hand, then stops the thread.
    ~TaskThread();
    TaskThread(const TaskThread&) = delete;
    TaskThread& operator=(const TaskThread&) = delete;

    // Starts `job`. The previous job must have been waited for.
    void Post(std::function<void()> job);

    // Waits until the posted job has finished and rethrows what it threw.
    // Returns at once when nothing was posted.
    void Wait();

private:
    void Loop();

    std::mutex mutex_;
    std::condition_variable changed_;
    std::function<void()> job_;
    bool busy_ = false;
    bool stopping_ = false;
    std::exception_ptr failure_;
    std::thread thread_;
};

}  // namespace quorrel
