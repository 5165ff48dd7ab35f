#include "host/filter_callbacks.h"

#include <cstring>

#include "dialog/config_dialog.h"
#include "processing/instance.h"
#include "settings/script_line.h"

namespace quorrel {
namespace {

InstanceData* InstanceOf(const HostActivation* activation) {
    return static_cast<InstanceData*>(activation->instance_data);
}

Rgb32Frame FrameOf(const HostBitmap& bitmap) {
    return Rgb32Frame{bitmap.pixels, bitmap.width, bitmap.height, bitmap.modulo};
}

// No C++ exception may unwind into the host, whose frames know nothing of
// it; the operations below do not throw, and this keeps it so.
template <typename Operation>
int Guarded(int on_exception, Operation operation) noexcept {
    try {
        return operation();
    } catch (...) {
        return on_exception;
    }
}

}  // namespace

int QUORREL_HOST_CALL InitCallback(HostActivation* activation, const HostArgument*) {
    return Guarded(1, [&] { return InitInstance(InstanceOf(activation)); });
}

int QUORREL_HOST_CALL StartCallback(HostActivation* activation, const HostArgument*) {
    return Guarded(1, [&] {
        const HostBitmap& source = *activation->source;
        return StartInstance(InstanceOf(activation), source.width, source.height);
    });
}

int QUORREL_HOST_CALL RunCallback(HostActivation* activation, const HostArgument*) {
    return Guarded(1, [&] {
        const Rgb32Frame source = FrameOf(*activation->source);
        // The destination has the source's size; only its pixels and modulo count.
        Rgb32Frame destination = FrameOf(*activation->destination);
        destination.width = source.width;
        destination.height = source.height;
        return RunInstance(InstanceOf(activation), source, destination);
    });
}

int QUORREL_HOST_CALL EndCallback(HostActivation* activation, const HostArgument*) {
    return Guarded(1, [&] { return EndInstance(InstanceOf(activation)); });
}

int QUORREL_HOST_CALL ConfigureCallback(HostActivation* activation, const HostArgument*,
                                        HWND parent) {
    return Guarded(1, [&] {
        const HINSTANCE module = activation->definition->module->instance_handle;
        return ConfigureInstance(InstanceOf(activation), module, parent);
    });
}

void QUORREL_HOST_CALL DescribeInstance(HostActivation*, const HostArgument*, char* buffer) {
    std::memcpy(buffer, " ", 2);
}

int QUORREL_HOST_CALL ScriptStringCallback(HostActivation* activation, const HostArgument*,
                                           char* buffer, int32_t length) {
    return Guarded(0, [&] {
        if (length < 0) return 0;
        return WriteScriptLine(*InstanceOf(activation), buffer, static_cast<size_t>(length))
                   ? 1
                   : 0;
    });
}

void QUORREL_HOST_CALL ConfigMethod(HostScriptInterpreter*, void* activation,
                                    const HostScriptValue* arguments, int32_t argument_count) {
    // Eight values are what the signature declares; any other count means
    // the array is not the one expected, and reading eight would overrun it.
    if (argument_count != 8) return;
    int32_t packed[8];
    for (int i = 0; i < 8; ++i) packed[i] = arguments[i].integer;
    ScriptConfig(InstanceOf(static_cast<HostActivation*>(activation)), packed);
}

}  // namespace quorrel
