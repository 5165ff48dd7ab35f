// The records the filter host and the module exchange, laid out as the host
// reads and writes them. Every field is typed by what it holds (pointer,
// 32-bit integer, signed pointer-sized offset), so the 32-bit and the 64-bit
// layouts both follow from the same declarations; the static_asserts at the
// end hold each offset the module depends on. Fields the module never reads
// belong to the host and are named host_*.
#pragma once

#include <cstddef>
#include <cstdint>

#include <windows.h>

// Every function the host calls: the C calling convention spelled out, and a
// stack realignment in the prologue, because a 32-bit host may call with only
// 4-byte stack alignment and aligned SSE spills further in would fault.
#define QUORREL_HOST_CALL __attribute__((force_align_arg_pointer)) __cdecl

namespace quorrel {

struct HostFilterDefinition;
struct HostActivation;

// The host's record of the loaded module; the module reads only its
// instance handle.
struct HostModule {
    void* host_link[2];
    HINSTANCE instance_handle;
};

// The host's service table; the module uses its first two slots.
struct HostFunctionTable {
    HostFilterDefinition*(__cdecl* add_filter)(HostModule* module,
                                                HostFilterDefinition* definition,
                                                int32_t definition_length);
    void(__cdecl* remove_filter)(HostFilterDefinition* added);
};

// What the host passes every instance callback second; never read.
struct HostArgument;

using HostInstanceCallback = int(__cdecl*)(HostActivation* activation,
                                           const HostArgument* host);
using HostConfigureCallback = int(__cdecl*)(HostActivation* activation,
                                            const HostArgument* host, HWND parent);
using HostStringCallback = void(__cdecl*)(HostActivation* activation,
                                          const HostArgument* host, char* buffer);
using HostScriptStringCallback = int(__cdecl*)(HostActivation* activation,
                                               const HostArgument* host, char* buffer,
                                               int32_t length);
using HostParameterCallback = void*;  // no parameter callback; the slot stays null

// One argument the host's script interpreter passes to a script method.
struct HostScriptValue {
    void* host_fields[2];
    int32_t integer;
    int32_t host_tail;
};

struct HostScriptInterpreter;  // the host's first argument of a script method; never read

using HostScriptMethod = void(__cdecl*)(HostScriptInterpreter* interpreter,
                                        void* activation,
                                        const HostScriptValue* arguments,
                                        int32_t argument_count);

// One script method; a table of them ends with an entry of three nulls.
struct HostScriptMethodEntry {
    HostScriptMethod handler;
    const char* name;
    const char* signature;
};

struct HostScriptObject {
    void* lookup;
    const HostScriptMethodEntry* methods;
    void* objects;
};

struct HostFilterDefinition {
    HostFilterDefinition* host_next;
    HostFilterDefinition* host_previous;
    HostModule* module;  // null in the module's record; the host fills its copy
    const char* name;
    const char* description;
    const char* maker;
    void* private_data;
    int32_t instance_data_size;
    HostInstanceCallback init;
    HostInstanceCallback deinit;
    HostInstanceCallback run;
    HostParameterCallback parameter;
    HostConfigureCallback configure;
    HostStringCallback describe;
    HostInstanceCallback start;
    HostInstanceCallback end;
    const HostScriptObject* script_object;
    HostScriptStringCallback script_string;
};

// A frame buffer as the host describes it.
struct HostBitmap {
    void* host_vtable;
    void* pixels;  // first pixel of the first stored row
    void* host_palette;
    int32_t host_depth;
    int32_t width;
    int32_t height;
    ptrdiff_t host_pitch;
    ptrdiff_t modulo;  // bytes from the end of one row to the start of the next
};

// What the host passes to every callback, and as context to a script method.
struct HostActivation {
    const HostFilterDefinition* definition;  // the host's copy
    void* instance_data;
    const HostBitmap* destination;
    const HostBitmap* source;
};

#if UINTPTR_MAX == UINT32_MAX
static_assert(sizeof(void*) == 4, "32-bit layout");
static_assert(offsetof(HostFunctionTable, add_filter) == 0);
static_assert(offsetof(HostFunctionTable, remove_filter) == 4);
static_assert(offsetof(HostModule, instance_handle) == 8);
static_assert(offsetof(HostFilterDefinition, host_next) == 0);
static_assert(offsetof(HostFilterDefinition, host_previous) == 4);
static_assert(offsetof(HostFilterDefinition, module) == 8);
static_assert(offsetof(HostFilterDefinition, name) == 12);
static_assert(offsetof(HostFilterDefinition, description) == 16);
static_assert(offsetof(HostFilterDefinition, maker) == 20);
static_assert(offsetof(HostFilterDefinition, private_data) == 24);
static_assert(offsetof(HostFilterDefinition, instance_data_size) == 28);
static_assert(offsetof(HostFilterDefinition, init) == 32);
static_assert(offsetof(HostFilterDefinition, deinit) == 36);
static_assert(offsetof(HostFilterDefinition, run) == 40);
static_assert(offsetof(HostFilterDefinition, parameter) == 44);
static_assert(offsetof(HostFilterDefinition, configure) == 48);
static_assert(offsetof(HostFilterDefinition, describe) == 52);
static_assert(offsetof(HostFilterDefinition, start) == 56);
static_assert(offsetof(HostFilterDefinition, end) == 60);
static_assert(offsetof(HostFilterDefinition, script_object) == 64);
static_assert(offsetof(HostFilterDefinition, script_string) == 68);
static_assert(sizeof(HostFilterDefinition) == 72);
static_assert(offsetof(HostActivation, definition) == 0);
static_assert(offsetof(HostActivation, instance_data) == 4);
static_assert(offsetof(HostActivation, destination) == 8);
static_assert(offsetof(HostActivation, source) == 12);
static_assert(offsetof(HostBitmap, pixels) == 4);
static_assert(offsetof(HostBitmap, width) == 16);
static_assert(offsetof(HostBitmap, height) == 20);
static_assert(offsetof(HostBitmap, modulo) == 28);
static_assert(sizeof(HostBitmap::modulo) == 4);
static_assert(offsetof(HostScriptValue, integer) == 8);
static_assert(sizeof(HostScriptValue) == 16);
static_assert(offsetof(HostScriptObject, lookup) == 0);
static_assert(offsetof(HostScriptObject, methods) == 4);
static_assert(offsetof(HostScriptObject, objects) == 8);
static_assert(sizeof(HostScriptObject) == 12);
static_assert(offsetof(HostScriptMethodEntry, handler) == 0);
static_assert(offsetof(HostScriptMethodEntry, name) == 4);
static_assert(offsetof(HostScriptMethodEntry, signature) == 8);
static_assert(sizeof(HostScriptMethodEntry) == 12);
#else
static_assert(sizeof(void*) == 8, "64-bit layout");
static_assert(offsetof(HostFunctionTable, add_filter) == 0);
static_assert(offsetof(HostFunctionTable, remove_filter) == 8);
static_assert(offsetof(HostModule, instance_handle) == 16);
static_assert(offsetof(HostFilterDefinition, host_next) == 0);
static_assert(offsetof(HostFilterDefinition, host_previous) == 8);
static_assert(offsetof(HostFilterDefinition, module) == 16);
static_assert(offsetof(HostFilterDefinition, name) == 24);
static_assert(offsetof(HostFilterDefinition, description) == 32);
static_assert(offsetof(HostFilterDefinition, maker) == 40);
static_assert(offsetof(HostFilterDefinition, private_data) == 48);
static_assert(offsetof(HostFilterDefinition, instance_data_size) == 56);
static_assert(offsetof(HostFilterDefinition, init) == 64);
static_assert(offsetof(HostFilterDefinition, deinit) == 72);
static_assert(offsetof(HostFilterDefinition, run) == 80);
static_assert(offsetof(HostFilterDefinition, parameter) == 88);
static_assert(offsetof(HostFilterDefinition, configure) == 96);
static_assert(offsetof(HostFilterDefinition, describe) == 104);
static_assert(offsetof(HostFilterDefinition, start) == 112);
static_assert(offsetof(HostFilterDefinition, end) == 120);
static_assert(offsetof(HostFilterDefinition, script_object) == 128);
static_assert(offsetof(HostFilterDefinition, script_string) == 136);
static_assert(sizeof(HostFilterDefinition) == 144);
static_assert(offsetof(HostActivation, definition) == 0);
static_assert(offsetof(HostActivation, instance_data) == 8);
static_assert(offsetof(HostActivation, destination) == 16);
static_assert(offsetof(HostActivation, source) == 24);
static_assert(offsetof(HostBitmap, pixels) == 8);
static_assert(offsetof(HostBitmap, width) == 28);
static_assert(offsetof(HostBitmap, height) == 32);
static_assert(offsetof(HostBitmap, modulo) == 48);
static_assert(sizeof(HostBitmap::modulo) == 8);
static_assert(offsetof(HostScriptValue, integer) == 16);
static_assert(sizeof(HostScriptValue) == 24);
static_assert(offsetof(HostScriptObject, lookup) == 0);
static_assert(offsetof(HostScriptObject, methods) == 8);
static_assert(offsetof(HostScriptObject, objects) == 16);
static_assert(sizeof(HostScriptObject) == 24);
static_assert(offsetof(HostScriptMethodEntry, handler) == 0);
static_assert(offsetof(HostScriptMethodEntry, name) == 8);
static_assert(offsetof(HostScriptMethodEntry, signature) == 16);
static_assert(sizeof(HostScriptMethodEntry) == 24);
#endif

}  // namespace quorrel
