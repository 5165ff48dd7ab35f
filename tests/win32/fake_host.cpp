#include "tests/win32/fake_host.h"

#include <algorithm>

namespace quorrel_test {
namespace {

LoadedModule loaded_module;

// The services are plain functions, as the host's are; they report into
// one log, since a host has one table.
HostServiceLog service_log;
void* add_filter_result = nullptr;

void* __cdecl AddFilter(void* module, void* definition, int32_t length) {
    ++service_log.add_calls;
    service_log.added_module = module;
    service_log.added_definition = definition;
    service_log.added_length = length;
    // Copy what the host's own record holds, however long the module says
    // its record is.
    const auto* bytes = static_cast<const uint8_t*>(definition);
    service_log.definition_copy.assign(bytes, bytes + definition::kSize);
    return add_filter_result;
}

void __cdecl RemoveFilter(void* added) {
    ++service_log.remove_calls;
    service_log.removed = added;
}

// The second argument of every callback; the module never reads it.
HostRecord host_argument(64, 0xEE);

std::string WindowsPath(const std::string& path) {
    if (path.empty() || path[0] != '/') return path;
    std::string windows = "Z:" + path;
    std::replace(windows.begin(), windows.end(), '/', '\\');
    return windows;
}

}  // namespace

std::string LoadFilterModule(const std::string& path, LoadedModule* module) {
    const std::string windows_path = WindowsPath(path);
    module->handle = LoadLibraryA(windows_path.c_str());
    if (module->handle == nullptr)
        return "cannot load " + windows_path + " (error " + std::to_string(GetLastError()) + ")";
    module->init = reinterpret_cast<ModuleInitFunction>(
        reinterpret_cast<void*>(GetProcAddress(module->handle, "VirtualdubFilterModuleInit2")));
    module->deinit = reinterpret_cast<ModuleDeinitFunction>(
        reinterpret_cast<void*>(GetProcAddress(module->handle, "VirtualdubFilterModuleDeinit")));
    if (module->init == nullptr || module->deinit == nullptr)
        return windows_path + " lacks an entry point";
    return "";
}

void UseWindowsWithoutManager() {
    const char value[] = "N";
    RegSetKeyValueA(HKEY_CURRENT_USER, "Software\\Wine\\X11 Driver", "Managed", REG_SZ, value,
                    sizeof value);
}

const LoadedModule& Module() { return loaded_module; }
void SetModule(const LoadedModule& module) { loaded_module = module; }

HostServices::HostServices(void* handle) : table_(function_table::kSize + 16 * sizeof(void*), 0) {
    service_log = HostServiceLog{};
    add_filter_result = handle;
    table_.Put(function_table::kAddFilter, &AddFilter);
    table_.Put(function_table::kRemoveFilter, &RemoveFilter);
}

const HostServiceLog& HostServices::log() const { return service_log; }

bool RegisteredFilter::Register() {
    int version = 0;
    int compatible = 0;
    if (Module().init(module_record_.data(), services_.table(), &version, &compatible) != 0)
        return false;
    const HostServiceLog& log = services_.log();
    if (log.add_calls != 1) return false;
    std::memcpy(definition_.data(), log.definition_copy.data(), definition::kSize);
    module_record_.Put(module_record::kInstanceHandle, Module().handle);
    definition_.Put(definition::kModule, module_record_.data());
    return true;
}

void RegisteredFilter::Unregister() { Module().deinit(module_record_.data(), services_.table()); }

HostInstance::HostInstance(RegisteredFilter& filter)
    : filter_(filter), data_(static_cast<size_t>(filter.instance_size()), 0xCD) {
    activation_.Put(activation::kDefinition, filter_.definition());
    activation_.Put(activation::kInstanceData, data_.data());
}

int HostInstance::Init() { return callback(definition::kInit)(activation(), host_argument.data()); }
int HostInstance::Start() {
    return callback(definition::kStart)(activation(), host_argument.data());
}
int HostInstance::Run() { return callback(definition::kRun)(activation(), host_argument.data()); }
int HostInstance::End() { return callback(definition::kEnd)(activation(), host_argument.data()); }

int HostInstance::Configure(HWND parent) {
    return filter_.Field<ConfigureCallback>(definition::kConfigure)(activation(),
                                                                    host_argument.data(), parent);
}

void HostInstance::Config(const int32_t* values, int32_t count) {
    // The interpreter's argument array; its other bytes hold garbage.
    HostRecord arguments(script_value::kSize * 8 + script_value::kSize, 0x5A);
    for (int32_t i = 0; i < count && i < 8; ++i)
        arguments.Put(i * script_value::kSize + script_value::kInteger, values[i]);
    const void* object = filter_.Field<const void*>(definition::kScriptObject);
    const auto* methods = *reinterpret_cast<const uint8_t* const*>(
        static_cast<const uint8_t*>(object) + script_object::kMethods);
    ScriptMethod handler;
    std::memcpy(&handler, methods + method_entry::kHandler, sizeof handler);
    handler(host_argument.data(), activation(), arguments.data(), count);
}

int HostInstance::ScriptString(char* buffer, int32_t length) {
    return filter_.Field<ScriptStringCallback>(definition::kScriptString)(
        activation(), host_argument.data(), buffer, length);
}

HostRecord MakeBitmap(void* first_row, int32_t width, int32_t height, ptrdiff_t modulo) {
    HostRecord bitmap(bitmap::kModulo + 8 * sizeof(void*), 0x77);
    bitmap.Put(bitmap::kPixels, first_row);
    bitmap.Put(bitmap::kWidth, width);
    bitmap.Put(bitmap::kHeight, height);
    bitmap.Put(bitmap::kModulo, modulo);
    return bitmap;
}

}  // namespace quorrel_test
