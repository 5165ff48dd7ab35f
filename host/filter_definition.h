// The one filter this module registers, as the host reads it.
#pragma once

#include "host/host_records.h"

namespace quorrel {

// The host copies it at registration; the module's record stays unchanged.
extern HostFilterDefinition quorrel_filter_definition;

}  // namespace quorrel
