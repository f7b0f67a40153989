// For tests that call the store's readers, writers and commit in this process: a fresh
// adapter parameter key per test, opened into the program's one key handle, and the
// settings record and ISDN page flag put back to their start-up state.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "store/adapter_params.h"
#include "store/settings.h"
#include "support/registry.h"

namespace hvntest {

class StoreTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(key_.CreateParameters());
        ASSERT_EQ(ERROR_SUCCESS, OpenParameters(KEY_ALL_ACCESS, &g_hAdapterKey));
        g_settings = AdapterSettings();
        g_nISDNPageShown = 0;
    }
    void TearDown() override {
        if (g_hAdapterKey) RegCloseKey(g_hAdapterKey);
        g_hAdapterKey = nullptr;
        g_settings = AdapterSettings();
        g_nISDNPageShown = 0;
    }

    // Another handle to this test's Parameters key.
    LONG OpenParameters(REGSAM access, HKEY* key) const {
        return RegOpenKeyExA(HKEY_LOCAL_MACHINE, ParametersKeyPath(key_.adapter()).c_str(), 0,
                             access, key);
    }
    // A handle through which the registry refuses every write, and the error it then gives.
    struct RefusingHandle {
        const char* why;
        HKEY handle;
        LONG status;
    };
    // No key open, and readOnly: this test's key opened for reading only.
    static std::vector<RefusingHandle> RefusingHandles(HKEY readOnly) {
        return {{"no key open", nullptr, ERROR_INVALID_HANDLE},
                {"key opened for reading", readOnly, ERROR_ACCESS_DENIED}};
    }
    // Removes a value, so that the key holds nothing under that name.
    testing::AssertionResult Remove(const std::string& name) const {
        HKEY key = nullptr;
        LONG status = OpenParameters(KEY_SET_VALUE, &key);
        if (status == ERROR_SUCCESS) {
            status = RegDeleteValueA(key, name.c_str());
            RegCloseKey(key);
        }
        if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
            return testing::AssertionFailure() << "deleting " << name << " failed with " << status;
        return testing::AssertionSuccess();
    }
    // Removes every value, leaving the key empty.
    testing::AssertionResult RemoveAll() const {
        for (const std::string& name : key_.ValueNames()) {
            testing::AssertionResult removed = Remove(name);
            if (!removed) return removed;
        }
        return testing::AssertionSuccess();
    }
    // Puts a value into the key as given; Missing() removes it.
    testing::AssertionResult Store(const std::string& name, const RegValue& value) const {
        if (value.status != ERROR_SUCCESS) return Remove(name);
        return key_.Set(name, value);
    }

    AdapterKey key_{UniqueAdapter()};
};

// A value of any type with exactly these bytes.
inline RegValue Raw(DWORD type, std::initializer_list<BYTE> bytes) {
    RegValue value;
    value.status = ERROR_SUCCESS;
    value.type = type;
    value.bytes.assign(bytes);
    return value;
}

}  // namespace hvntest
