#include "support/registry.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace hvntest {
namespace {

constexpr BYTE kSentinel = 0xA5;
constexpr DWORD kBufferSize = 4096;
constexpr DWORD kGuardSize = 16;

struct Key {
    HKEY handle = nullptr;
    LONG status;
    Key(const std::string& path, REGSAM access)
        : status(RegOpenKeyExA(HKEY_LOCAL_MACHINE, path.c_str(), 0, access, &handle)) {}
    ~Key() {
        if (handle) RegCloseKey(handle);
    }
};

}  // namespace

std::string ServiceKeyPath(long long adapter) {
    return "SYSTEM\\CurrentControlSet\\Services\\HVNBRI" + std::to_string(adapter);
}

std::string ParametersKeyPath(long long adapter) {
    return ServiceKeyPath(adapter) + "\\Parameters";
}

int UniqueAdapterFrom(int base, int slot) {
    const testing::UnitTest* unit = testing::UnitTest::GetInstance();
    const testing::TestInfo* current = unit->current_test_info();
    int ordinal = 0;
    for (int s = 0; s < unit->total_test_suite_count(); ++s) {
        const testing::TestSuite* suite = unit->GetTestSuite(s);
        for (int t = 0; t < suite->total_test_count(); ++t, ++ordinal)
            if (suite->GetTestInfo(t) == current) return base + ordinal * 10 + slot;
    }
    ADD_FAILURE() << "UniqueAdapter called outside a test";
    return base + 9999;
}

void PrintTo(const RegValue& value, std::ostream* out) {
    *out << "{status " << value.status << ", type " << value.type << ", " << value.bytes.size()
         << " bytes:";
    for (BYTE b : value.bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02x", b);
        *out << hex;
    }
    *out << "}";
}

RegValue Dword(DWORD number) {
    RegValue value;
    value.status = ERROR_SUCCESS;
    value.type = REG_DWORD;
    value.bytes.resize(4);
    std::memcpy(value.bytes.data(), &number, 4);
    return value;
}

RegValue Sz(const std::string& text) {
    RegValue value;
    value.status = ERROR_SUCCESS;
    value.type = REG_SZ;
    value.bytes.assign(text.begin(), text.end());
    value.bytes.push_back(0);
    return value;
}

RegValue Missing() { return RegValue(); }

AdapterKey::AdapterKey(long long adapter) : adapter_(adapter) { EXPECT_TRUE(Delete()); }

AdapterKey::~AdapterKey() { EXPECT_TRUE(Delete()); }

testing::AssertionResult AdapterKey::Delete() const {
    const LONG status = RegDeleteTreeA(HKEY_LOCAL_MACHINE, ServiceKeyPath(adapter_).c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
        return testing::AssertionFailure()
               << "deleting " << ServiceKeyPath(adapter_) << " failed with " << status;
    if (ServiceExists())
        return testing::AssertionFailure() << ServiceKeyPath(adapter_) << " still exists";
    return testing::AssertionSuccess();
}

testing::AssertionResult AdapterKey::CreateParameters() const {
    HKEY key = nullptr;
    const LONG status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, ParametersKeyPath(adapter_).c_str(), 0,
                                        const_cast<char*>("driver"), REG_OPTION_NON_VOLATILE,
                                        KEY_ALL_ACCESS, nullptr, &key, nullptr);
    if (status != ERROR_SUCCESS)
        return testing::AssertionFailure()
               << "creating " << ParametersKeyPath(adapter_) << " failed with " << status;
    RegCloseKey(key);
    return testing::AssertionSuccess();
}

testing::AssertionResult AdapterKey::CreateVolatileService() const {
    HKEY key = nullptr;
    const LONG status = RegCreateKeyExA(HKEY_LOCAL_MACHINE, ServiceKeyPath(adapter_).c_str(), 0,
                                        nullptr, REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                        &key, nullptr);
    if (status != ERROR_SUCCESS)
        return testing::AssertionFailure()
               << "creating volatile " << ServiceKeyPath(adapter_) << " failed with " << status;
    RegCloseKey(key);
    return testing::AssertionSuccess();
}

testing::AssertionResult AdapterKey::Set(const std::string& name, DWORD type, const void* bytes,
                                         DWORD size) const {
    if (!ParametersExist()) {
        testing::AssertionResult created = CreateParameters();
        if (!created) return created;
    }
    Key key(ParametersKeyPath(adapter_), KEY_SET_VALUE);
    if (key.status != ERROR_SUCCESS)
        return testing::AssertionFailure()
               << "opening " << ParametersKeyPath(adapter_) << " failed with " << key.status;
    const LONG status = RegSetValueExA(key.handle, name.c_str(), 0, type,
                                       static_cast<const BYTE*>(bytes), size);
    if (status != ERROR_SUCCESS)
        return testing::AssertionFailure() << "setting " << name << " failed with " << status;
    return testing::AssertionSuccess();
}

testing::AssertionResult AdapterKey::Set(const std::string& name, const RegValue& value) const {
    return Set(name, value.type, value.bytes.data(), (DWORD)value.bytes.size());
}

bool KeyExists(const std::string& path) { return Key(path, KEY_READ).status == ERROR_SUCCESS; }

bool AdapterKey::ServiceExists() const { return KeyExists(ServiceKeyPath(adapter_)); }

bool AdapterKey::ParametersExist() const { return KeyExists(ParametersKeyPath(adapter_)); }

RegValue AdapterKey::Read(const std::string& name) const {
    RegValue value;
    Key key(ParametersKeyPath(adapter_), KEY_QUERY_VALUE);
    if (key.status != ERROR_SUCCESS) {
        value.status = key.status;
        return value;
    }
    std::vector<BYTE> buffer(kBufferSize + kGuardSize, kSentinel);
    DWORD type = 0xDEADBEEF;
    DWORD size = kBufferSize;
    value.status = RegQueryValueExA(key.handle, name.c_str(), nullptr, &type, buffer.data(), &size);
    if (value.status != ERROR_SUCCESS) return value;
    value.type = type;
    EXPECT_LE(size, kBufferSize) << name << ": size beyond the buffer";
    if (size > kBufferSize) size = kBufferSize;
    value.bytes.assign(buffer.begin(), buffer.begin() + size);
    for (DWORD i = size; i < buffer.size(); ++i)
        if (buffer[i] != kSentinel) {
            ADD_FAILURE() << name << ": the query wrote byte " << i << " past the " << size
                          << " bytes it reported";
            break;
        }
    return value;
}

std::vector<std::string> AdapterKey::ValueNames() const {
    std::vector<std::string> names;
    Key key(ParametersKeyPath(adapter_), KEY_QUERY_VALUE);
    if (key.status != ERROR_SUCCESS) return names;
    for (DWORD index = 0;; ++index) {
        char name[256];
        DWORD length = sizeof name;
        if (RegEnumValueA(key.handle, index, name, &length, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.emplace_back(name, length);
    }
    return names;
}

int AdapterKey::SubkeyCount() const {
    Key key(ParametersKeyPath(adapter_), KEY_READ);
    DWORD subkeys = 0;
    if (key.status != ERROR_SUCCESS ||
        RegQueryInfoKeyA(key.handle, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return -1;
    return (int)subkeys;
}

std::string AdapterKey::ParametersClass() const {
    Key key(ParametersKeyPath(adapter_), KEY_READ);
    char name[256];
    DWORD length = sizeof name;
    if (key.status != ERROR_SUCCESS ||
        RegQueryInfoKeyA(key.handle, name, &length, nullptr, nullptr, nullptr, nullptr, nullptr,
                         nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
        return "(unreadable)";
    return std::string(name, length);
}

testing::AssertionResult HoldsExactly(const AdapterKey& key, const Values& expected) {
    std::vector<std::string> names = key.ValueNames(), expectedNames;
    for (const auto& value : expected) expectedNames.push_back(value.first);
    std::sort(names.begin(), names.end());
    testing::AssertionResult result = testing::AssertionSuccess();
    if (names != expectedNames)
        result = testing::AssertionFailure() << "values " << testing::PrintToString(names)
                                             << ", expected " << testing::PrintToString(expectedNames);
    for (const auto& value : expected) {
        const RegValue actual = key.Read(value.first);
        if (actual != value.second) {
            if (result) result = testing::AssertionFailure();
            result << "; " << value.first << " is " << testing::PrintToString(actual)
                   << ", expected " << testing::PrintToString(value.second);
        }
    }
    return result;
}

}  // namespace hvntest
