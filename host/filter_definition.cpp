#include "host/filter_definition.h"

#include "host/filter_callbacks.h"
#include "processing/instance.h"

namespace quorrel {
namespace {

// "0" for no result, one "i" per integer argument.
const HostScriptMethodEntry script_methods[] = {
    {ConfigMethod, "Config", "0iiiiiiii"},
    {nullptr, nullptr, nullptr},
};

const HostScriptObject script_object = {nullptr, script_methods, nullptr};

}  // namespace

HostFilterDefinition quorrel_filter_definition = {
    nullptr,                      // host_next
    nullptr,                      // host_previous
    nullptr,                      // module
    "Quorrel 1.0",                // name
    " ",                          // description
    "T.K.",                       // maker
    nullptr,                      // private_data
    sizeof(InstanceData),         // instance_data_size
    InitCallback,                 // init
    nullptr,                      // deinit
    RunCallback,                  // run
    nullptr,                      // parameter
    ConfigureCallback,            // configure
    DescribeInstance,             // describe
    StartCallback,                // start
    EndCallback,                  // end
    &script_object,               // script_object
    ScriptStringCallback,         // script_string
};

}  // namespace quorrel
