// Runs a fuzz target over saved inputs without libFuzzer, so that the test
// suite replays every corpus on every run. Arguments are files or folders
// (each regular file in a folder is one input). An empty or missing folder
// is an error: a replay that runs nothing would pass for the wrong reason.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <system_error>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

bool ReadFile(const fs::path& path, std::vector<uint8_t>* bytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    bytes->assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

bool CollectInputs(const fs::path& path, std::vector<fs::path>* inputs) {
    std::error_code error;
    if (fs::is_regular_file(path, error)) {
        inputs->push_back(path);
        return true;
    }
    if (!fs::is_directory(path, error)) {
        std::fprintf(stderr, "replay: %s is neither a file nor a folder\n", path.c_str());
        return false;
    }
    const size_t before = inputs->size();
    for (const fs::directory_entry& entry : fs::directory_iterator(path, error))
        if (entry.is_regular_file()) inputs->push_back(entry.path());
    if (error) {
        std::fprintf(stderr, "replay: cannot list %s: %s\n", path.c_str(), error.message().c_str());
        return false;
    }
    if (inputs->size() == before) {
        std::fprintf(stderr, "replay: %s holds no inputs\n", path.c_str());
        return false;
    }
    std::sort(inputs->begin() + static_cast<std::ptrdiff_t>(before), inputs->end());
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s FILE|FOLDER...\n", argv[0]);
        return 2;
    }
    std::vector<fs::path> inputs;
    for (int i = 1; i < argc; ++i)
        if (!CollectInputs(argv[i], &inputs)) return 1;

    std::vector<uint8_t> bytes;
    for (const fs::path& input : inputs) {
        if (!ReadFile(input, &bytes)) {
            std::fprintf(stderr, "replay: cannot read %s\n", input.c_str());
            return 1;
        }
        // A failing input aborts inside the target; naming it first tells
        // which one it was.
        std::fprintf(stderr, "replay: %s (%zu bytes)\n", input.c_str(), bytes.size());
        // An exactly sized copy, as libFuzzer passes it, so that the
        // address checker catches a read one byte past the input.
        std::unique_ptr<uint8_t[]> exact(new uint8_t[bytes.size()]);
        std::copy(bytes.begin(), bytes.end(), exact.get());
        LLVMFuzzerTestOneInput(exact.get(), bytes.size());
    }
    std::printf("replay: %zu inputs passed\n", inputs.size());
    return 0;
}
