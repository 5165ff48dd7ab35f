// Loading and unloading: what the module hands the host and what it gives back.
#include <gtest/gtest.h>

#include <string>

#include "processing/instance.h"
#include "tests/win32/fake_host.h"

namespace quorrel_test {
namespace {

template <typename T>
T FieldOf(const std::vector<uint8_t>& record, size_t offset) {
    T value;
    std::memcpy(&value, record.data() + offset, sizeof value);
    return value;
}

std::string StringAt(const std::vector<uint8_t>& record, size_t offset) {
    const char* text = FieldOf<const char*>(record, offset);
    return text == nullptr ? "(null)" : text;
}

TEST(Registration, AddsTheFilterOnceWithItsDefinition) {
    HostRecord module_record(64);
    int handle_storage = 0;
    HostServices services(&handle_storage);
    int version = -7;
    int compatible = -7;
    ASSERT_EQ(Module().init(module_record.data(), services.table(), &version, &compatible), 0);

    const HostServiceLog& log = services.log();
    EXPECT_EQ(log.add_calls, 1);
    EXPECT_EQ(log.added_module, module_record.data());
    EXPECT_EQ(log.added_length, static_cast<int32_t>(definition::kSize));
    EXPECT_EQ(version, 6);
    EXPECT_EQ(compatible, 4);

    const std::vector<uint8_t>& d = log.definition_copy;
    EXPECT_EQ(StringAt(d, definition::kName), "Quorrel 1.0");
    EXPECT_EQ(StringAt(d, definition::kDescription), " ");
    EXPECT_EQ(StringAt(d, definition::kMaker), "T.K.");
    EXPECT_EQ(FieldOf<int32_t>(d, definition::kInstanceDataSize),
              static_cast<int32_t>(sizeof(quorrel::InstanceData)));
    for (size_t present : {definition::kInit, definition::kRun, definition::kConfigure,
                           definition::kString, definition::kStart, definition::kEnd,
                           definition::kScriptObject, definition::kScriptString})
        EXPECT_NE(FieldOf<void*>(d, present), nullptr) << "field at offset " << present;
    for (size_t absent : {definition::kLink1, definition::kLink2, definition::kModule,
                          definition::kPrivateData, definition::kDeinit, definition::kParameter})
        EXPECT_EQ(FieldOf<void*>(d, absent), nullptr) << "field at offset " << absent;

    Module().deinit(module_record.data(), services.table());
}

TEST(Registration, ScriptObjectCarriesTheConfigMethodOnly) {
    RegisteredFilter filter;
    ASSERT_TRUE(filter.Register());
    const auto* object = filter.Field<const uint8_t*>(definition::kScriptObject);
    ASSERT_NE(object, nullptr);
    auto pointer_at = [](const uint8_t* record, size_t offset) {
        const void* value;
        std::memcpy(&value, record + offset, sizeof value);
        return value;
    };
    EXPECT_EQ(pointer_at(object, script_object::kLookup), nullptr);
    EXPECT_EQ(pointer_at(object, script_object::kObjects), nullptr);
    const auto* methods = static_cast<const uint8_t*>(pointer_at(object, script_object::kMethods));
    ASSERT_NE(methods, nullptr);
    EXPECT_NE(pointer_at(methods, method_entry::kHandler), nullptr);
    EXPECT_STREQ(static_cast<const char*>(pointer_at(methods, method_entry::kName)), "Config");
    EXPECT_STREQ(static_cast<const char*>(pointer_at(methods, method_entry::kSignature)),
                 "0iiiiiiii");
    const uint8_t* terminator = methods + method_entry::kSize;
    EXPECT_EQ(pointer_at(terminator, method_entry::kHandler), nullptr);
    EXPECT_EQ(pointer_at(terminator, method_entry::kName), nullptr);
    EXPECT_EQ(pointer_at(terminator, method_entry::kSignature), nullptr);
    filter.Unregister();
}

TEST(Registration, RefusedDefinitionFailsAndWritesNoVersion) {
    HostRecord module_record(64);
    HostServices refusing(nullptr);
    int version = -7;
    int compatible = -9;
    EXPECT_EQ(Module().init(module_record.data(), refusing.table(), &version, &compatible), 1);
    EXPECT_EQ(refusing.log().add_calls, 1);
    EXPECT_EQ(version, -7);
    EXPECT_EQ(compatible, -9);
}

TEST(Registration, UnloadHandsBackTheAddedHandle) {
    HostRecord module_record(64);
    int handle_storage = 0;
    HostServices services(&handle_storage);
    int version = 0;
    int compatible = 0;
    ASSERT_EQ(Module().init(module_record.data(), services.table(), &version, &compatible), 0);
    Module().deinit(nullptr, services.table());
    EXPECT_EQ(services.log().remove_calls, 1);
    EXPECT_EQ(services.log().removed, &handle_storage);
}

}  // namespace
}  // namespace quorrel_test
