// Shows the module at work under wine, for the demo:
//   quorrel_module_demo run --module=PATH IN.raw OUT.raw WIDTH HEIGHT [CONFIG-LINE]
//     filters one top-down raw BGRA frame through the module's callbacks;
//   quorrel_module_demo snapshot --module=PATH OUT.bmp [CONFIG-LINE]
//     opens the settings dialog and saves a picture of it.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "settings/script_line.h"
#include "tests/win32/dialog_watcher.h"
#include "tests/win32/fake_host.h"

namespace quorrel_test {
namespace {

int Fail(const std::string& message) {
    std::fprintf(stderr, "quorrel_module_demo: %s\n", message.c_str());
    return 1;
}

bool ReadFile(const char* path, std::vector<uint8_t>* bytes) {
    FILE* f = std::fopen(path, "rb");
    if (f == nullptr) return false;
    std::fseek(f, 0, SEEK_END);
    bytes->resize(static_cast<size_t>(std::ftell(f)));
    std::fseek(f, 0, SEEK_SET);
    const bool ok = std::fread(bytes->data(), 1, bytes->size(), f) == bytes->size();
    std::fclose(f);
    return ok;
}

bool WriteFile(const char* path, const void* data, size_t size) {
    FILE* f = std::fopen(path, "wb");
    if (f == nullptr) return false;
    const bool ok = std::fwrite(data, 1, size, f) == size;
    return std::fclose(f) == 0 && ok;
}

// Applies a Config line, as the host does when it runs a saved script.
bool Configure(HostInstance& instance, const char* line) {
    quorrel::ScriptArguments arguments;
    const std::string error = quorrel::ReadScriptLine(line, &arguments);
    if (!error.empty()) {
        Fail(error);
        return false;
    }
    instance.Config(arguments.value, 8);
    return true;
}

int RunFrame(int argc, char** argv) {
    if (argc < 4) return Fail("run needs IN.raw OUT.raw WIDTH HEIGHT [CONFIG-LINE]");
    const int32_t width = std::atoi(argv[2]);
    const int32_t height = std::atoi(argv[3]);
    std::vector<uint8_t> frame;
    if (!ReadFile(argv[0], &frame)) return Fail(std::string("cannot read ") + argv[0]);
    if (width < 1 || height < 1 || frame.size() != static_cast<size_t>(width) * height * 4)
        return Fail(std::string(argv[0]) + " is not one " + argv[2] + "x" + argv[3] + " BGRA frame");

    RegisteredFilter filter;
    if (!filter.Register()) return Fail("the module did not register its filter");
    HostInstance instance(filter);
    if (instance.Init() != 0) return Fail("init failed");
    if (argc > 4 && !Configure(instance, argv[4])) return 1;
    // In place, as a host that filters its frame buffer would.
    HostRecord bitmap = MakeBitmap(frame.data(), width, height, 0);
    instance.SetSource(bitmap.data());
    instance.SetDestination(bitmap.data());
    if (instance.Start() != 0) return Fail("start failed");
    if (instance.Run() != 0) return Fail("run failed");
    instance.End();
    filter.Unregister();
    if (!WriteFile(argv[1], frame.data(), frame.size()))
        return Fail(std::string("cannot write ") + argv[1]);
    return 0;
}

// The dialog window as it shows on the display, as a 32-bit BMP.
bool SaveWindowPicture(HWND window, const char* path) {
    RECT r;
    GetWindowRect(window, &r);
    const int w = r.right - r.left;
    const int h = r.bottom - r.top;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ old = SelectObject(memory, picture);
    // What the display shows, frame and caption included.
    const bool printed = BitBlt(memory, 0, 0, w, h, screen, r.left, r.top, SRCCOPY) != 0;
    SelectObject(memory, old);

    BITMAPINFOHEADER info{};
    info.biSize = sizeof info;
    info.biWidth = w;
    info.biHeight = h;  // bottom-up, as BMP files store it
    info.biPlanes = 1;
    info.biBitCount = 32;
    info.biCompression = BI_RGB;
    std::vector<uint8_t> pixels(static_cast<size_t>(w) * h * 4);
    const bool read = GetDIBits(memory, picture, 0, h, pixels.data(),
                                reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS) == h;
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    if (!printed || !read) return false;

    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
    std::vector<uint8_t> bytes(file.bfSize);
    std::memcpy(bytes.data(), &file, sizeof file);
    std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
    std::memcpy(bytes.data() + file.bfOffBits, pixels.data(), pixels.size());
    return WriteFile(path, bytes.data(), bytes.size());
}

int Snapshot(int argc, char** argv) {
    if (argc < 1) return Fail("snapshot needs OUT.bmp [CONFIG-LINE]");
    RegisteredFilter filter;
    if (!filter.Register()) return Fail("the module did not register its filter");
    HostInstance instance(filter);
    if (instance.Init() != 0) return Fail("init failed");
    if (argc > 1 && !Configure(instance, argv[1])) return 1;
    bool saved = false;
    DialogActions actions;
    actions.inspect = [&](HWND dialog) {
        Sleep(300);  // let the first paint finish
        saved = SaveWindowPicture(dialog, argv[0]);
    };
    actions.finish = DialogFinish::kClickCancel;
    int result = -1;
    const DialogRecord record =
        RunDialogWithWatcher([&] { return instance.Configure(nullptr); }, actions, &result);
    filter.Unregister();
    if (!record.found) return Fail(record.error);
    if (!saved) return Fail(std::string("cannot save the dialog picture to ") + argv[0]);
    return 0;
}

}  // namespace
}  // namespace quorrel_test

int main(int argc, char** argv) {
    using namespace quorrel_test;
    if (argc < 3 || std::strncmp(argv[2], "--module=", 9) != 0)
        return Fail("usage: quorrel_module_demo run|snapshot --module=PATH ...");
    LoadedModule module;
    const std::string error = LoadFilterModule(argv[2] + 9, &module);
    if (!error.empty()) return Fail(error);
    SetModule(module);
    UseWindowsWithoutManager();
    const std::string mode = argv[1];
    if (mode == "run") return RunFrame(argc - 3, argv + 3);
    if (mode == "snapshot") return Snapshot(argc - 3, argv + 3);
    return Fail("unknown mode " + mode);
}
