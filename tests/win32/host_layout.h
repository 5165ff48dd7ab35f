// Where the host keeps each field of its records, stated independently of
// the module's declarations so that the test host catches a wrong one. One
// column per target: 32-bit, 64-bit.
#pragma once

#include <cstddef>
#include <cstdint>

namespace quorrel_test {

constexpr size_t ForTarget(size_t offset32, size_t offset64) {
    return sizeof(void*) == 4 ? offset32 : offset64;
}

namespace function_table {
constexpr size_t kAddFilter = ForTarget(0, 0);
constexpr size_t kRemoveFilter = ForTarget(4, 8);
constexpr size_t kSize = ForTarget(8, 16);
}  // namespace function_table

namespace module_record {
constexpr size_t kInstanceHandle = ForTarget(8, 16);
constexpr size_t kSize = ForTarget(12, 24);
}  // namespace module_record

namespace definition {
constexpr size_t kLink1 = ForTarget(0, 0);
constexpr size_t kLink2 = ForTarget(4, 8);
constexpr size_t kModule = ForTarget(8, 16);
constexpr size_t kName = ForTarget(12, 24);
constexpr size_t kDescription = ForTarget(16, 32);
constexpr size_t kMaker = ForTarget(20, 40);
constexpr size_t kPrivateData = ForTarget(24, 48);
constexpr size_t kInstanceDataSize = ForTarget(28, 56);
constexpr size_t kInit = ForTarget(32, 64);
constexpr size_t kDeinit = ForTarget(36, 72);
constexpr size_t kRun = ForTarget(40, 80);
constexpr size_t kParameter = ForTarget(44, 88);
constexpr size_t kConfigure = ForTarget(48, 96);
constexpr size_t kString = ForTarget(52, 104);
constexpr size_t kStart = ForTarget(56, 112);
constexpr size_t kEnd = ForTarget(60, 120);
constexpr size_t kScriptObject = ForTarget(64, 128);
constexpr size_t kScriptString = ForTarget(68, 136);
constexpr size_t kSize = ForTarget(72, 144);
}  // namespace definition

namespace activation {
constexpr size_t kDefinition = ForTarget(0, 0);
constexpr size_t kInstanceData = ForTarget(4, 8);
constexpr size_t kDestination = ForTarget(8, 16);
constexpr size_t kSource = ForTarget(12, 24);
}  // namespace activation

namespace bitmap {
constexpr size_t kPixels = ForTarget(4, 8);
constexpr size_t kWidth = ForTarget(16, 28);
constexpr size_t kHeight = ForTarget(20, 32);
constexpr size_t kModulo = ForTarget(28, 48);
}  // namespace bitmap

namespace script_value {
constexpr size_t kInteger = ForTarget(8, 16);
constexpr size_t kSize = ForTarget(16, 24);
}  // namespace script_value

namespace script_object {
constexpr size_t kLookup = ForTarget(0, 0);
constexpr size_t kMethods = ForTarget(4, 8);
constexpr size_t kObjects = ForTarget(8, 16);
}  // namespace script_object

namespace method_entry {
constexpr size_t kHandler = ForTarget(0, 0);
constexpr size_t kName = ForTarget(4, 8);
constexpr size_t kSignature = ForTarget(8, 16);
constexpr size_t kSize = ForTarget(12, 24);
}  // namespace method_entry

}  // namespace quorrel_test
