// The two functions the host finds by name in Quorrel.vdf.
#include "host/filter_definition.h"
#include "host/host_records.h"

namespace {

// The module's only global state: what add filter handed back.
quorrel::HostFilterDefinition* registered_definition = nullptr;

constexpr int kInterfaceVersion = 6;
constexpr int kOldestCompatibleVersion = 4;

}  // namespace

extern "C" {

int QUORREL_HOST_CALL VirtualdubFilterModuleInit2(quorrel::HostModule* module,
                                                   const quorrel::HostFunctionTable* functions,
                                                   int* version, int* compatible_version) {
    registered_definition =
        functions->add_filter(module, &quorrel::quorrel_filter_definition,
                              sizeof(quorrel::HostFilterDefinition));
    if (registered_definition == nullptr) return 1;
    *version = kInterfaceVersion;
    *compatible_version = kOldestCompatibleVersion;
    return 0;
}

void QUORREL_HOST_CALL VirtualdubFilterModuleDeinit(quorrel::HostModule*,
                                                     const quorrel::HostFunctionTable* functions) {
    functions->remove_filter(registered_definition);
}

}  // extern "C"
