// The callbacks of the filter definition and the Config script method: each
// takes what it needs out of the host's records and calls one operation of
// the instance, the dialog or the script line.
#pragma once

#include "host/host_records.h"

namespace quorrel {

int QUORREL_HOST_CALL InitCallback(HostActivation* activation, const HostArgument* host);
int QUORREL_HOST_CALL StartCallback(HostActivation* activation, const HostArgument* host);
int QUORREL_HOST_CALL RunCallback(HostActivation* activation, const HostArgument* host);
int QUORREL_HOST_CALL EndCallback(HostActivation* activation, const HostArgument* host);
int QUORREL_HOST_CALL ConfigureCallback(HostActivation* activation, const HostArgument* host,
                                        HWND parent);
void QUORREL_HOST_CALL DescribeInstance(HostActivation* activation, const HostArgument* host,
                                        char* buffer);
int QUORREL_HOST_CALL ScriptStringCallback(HostActivation* activation,
                                           const HostArgument* host, char* buffer,
                                           int32_t length);
void QUORREL_HOST_CALL ConfigMethod(HostScriptInterpreter* interpreter, void* activation,
                                    const HostScriptValue* arguments, int32_t argument_count);

}  // namespace quorrel
