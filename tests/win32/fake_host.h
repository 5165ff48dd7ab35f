// A filter host of the tests' own: it loads Quorrel.vdf, lays out its
// records byte by byte at the offsets of host_layout.h, and calls the module
// the way the host does.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "tests/win32/host_layout.h"

namespace quorrel_test {

// Host storage for one record. Whatever the module must not rely on is
// garbage, as it is in a real host's memory.
class HostRecord {
public:
    explicit HostRecord(size_t size, uint8_t fill = 0xA5) : bytes_(size, fill) {}

    template <typename T>
    void Put(size_t offset, T value) {
        std::memcpy(bytes_.data() + offset, &value, sizeof value);
    }
    template <typename T>
    T Get(size_t offset) const {
        T value;
        std::memcpy(&value, bytes_.data() + offset, sizeof value);
        return value;
    }
    void* data() { return bytes_.data(); }
    const void* data() const { return bytes_.data(); }
    size_t size() const { return bytes_.size(); }
    std::vector<uint8_t>& bytes() { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
};

// Signatures of everything the module exports or hands to the host.
using ModuleInitFunction = int(__cdecl*)(void* module, void* functions, int* version,
                                         int* compatible_version);
using ModuleDeinitFunction = void(__cdecl*)(void* module, void* functions);
using InstanceCallback = int(__cdecl*)(void* activation, void* host);
using ConfigureCallback = int(__cdecl*)(void* activation, void* host, HWND parent);
using StringCallback = void(__cdecl*)(void* activation, void* host, char* buffer);
using ScriptStringCallback = int(__cdecl*)(void* activation, void* host, char* buffer,
                                           int32_t length);
using ScriptMethod = void(__cdecl*)(void* interpreter, void* activation, void* arguments,
                                    int32_t count);

// Quorrel.vdf, loaded once for the whole test program.
struct LoadedModule {
    HMODULE handle = nullptr;
    ModuleInitFunction init = nullptr;
    ModuleDeinitFunction deinit = nullptr;
};

// Loads the module at `path` (a Unix path is reached through wine's Z:
// drive). Returns an error message, or an empty string.
std::string LoadFilterModule(const std::string& path, LoadedModule* module);
const LoadedModule& Module();
// Asks wine, before this program opens its first window, to give its windows
// no window manager: none runs on the tests' virtual display, and wine would
// wait for one each time a dialog closes. Changes nothing on Windows.
void UseWindowsWithoutManager();
void SetModule(const LoadedModule& module);

// What the host's add filter and remove filter saw.
struct HostServiceLog {
    int add_calls = 0;
    int remove_calls = 0;
    void* added_module = nullptr;
    void* added_definition = nullptr;
    int32_t added_length = 0;
    std::vector<uint8_t> definition_copy;  // the bytes the host copied
    void* removed = nullptr;
};

// The host's service table, whose add filter accepts (returning `handle`) or
// refuses (returning null).
class HostServices {
public:
    explicit HostServices(void* handle);
    void* table() { return table_.data(); }
    const HostServiceLog& log() const;

private:
    HostRecord table_;
};

// A registered filter as the host keeps it: its copy of the definition, with
// the module record the copy points to.
class RegisteredFilter {
public:
    // Registers the module's filter with a host that accepts it. Returns
    // false (and leaves the filter empty) if that fails.
    bool Register();
    void Unregister();

    void* definition() { return definition_.data(); }
    template <typename T>
    T Field(size_t offset) const {
        return definition_.Get<T>(offset);
    }
    int32_t instance_size() const { return Field<int32_t>(definition::kInstanceDataSize); }

private:
    HostRecord module_record_{module_record::kSize + 32};
    HostRecord definition_{definition::kSize};
    // The host hands back its copy as the handle of the added definition.
    HostServices services_{definition_.data()};
};

// An instance on host storage: the instance data, garbage until init, and
// the activation record that the callbacks receive.
class HostInstance {
public:
    explicit HostInstance(RegisteredFilter& filter);

    void* activation() { return activation_.data(); }
    void* data() { return data_.data(); }
    size_t data_size() const { return data_.size(); }

    void SetSource(void* bitmap) { activation_.Put(activation::kSource, bitmap); }
    void SetDestination(void* bitmap) { activation_.Put(activation::kDestination, bitmap); }

    int Init();
    int Start();
    int Run();
    int End();
    int Configure(HWND parent);
    // Calls the Config script method with these values (count as given).
    void Config(const int32_t* values, int32_t count);
    // The script-string callback into a buffer of `length` bytes.
    int ScriptString(char* buffer, int32_t length);

    InstanceCallback callback(size_t offset) const { return filter_.Field<InstanceCallback>(offset); }

private:
    RegisteredFilter& filter_;
    HostRecord data_;
    HostRecord activation_{activation::kSource + 8 * sizeof(void*)};
};

// A bitmap record describing a frame in caller-owned storage.
HostRecord MakeBitmap(void* first_row, int32_t width, int32_t height, ptrdiff_t modulo);

}  // namespace quorrel_test
