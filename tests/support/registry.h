// Registry fixtures for the adapter keys. The test process and the program share Wine's
// registry through the wineserver, so what a test sets here the program reads, and what the
// program writes a test reads back here.
#pragma once
#include <windows.h>
#include <gtest/gtest.h>
#include <ostream>
#include <map>
#include <string>
#include <vector>

namespace hvntest {

// SYSTEM\CurrentControlSet\Services\HVNBRI<adapter>, and its Parameters key.
std::string ServiceKeyPath(long long adapter);
std::string ParametersKeyPath(long long adapter);

// base + 10 * (the current test's place among all tests of this exe) + slot.
int UniqueAdapterFrom(int base, int slot);
// An adapter number that no other test uses: each test exe has its own block of numbers
// (HVNTEST_ADAPTER_BASE, set by tests/CMakeLists.txt), each test ten of them; `slot` (0-9)
// picks one for a test needing several.
#ifdef HVNTEST_ADAPTER_BASE
inline int UniqueAdapter(int slot = 0) { return UniqueAdapterFrom(HVNTEST_ADAPTER_BASE, slot); }
#endif

bool KeyExists(const std::string& path);   // under HKEY_LOCAL_MACHINE

// A value as a query gives it: status, type and exact bytes.
struct RegValue {
    LONG status = ERROR_FILE_NOT_FOUND;
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
    bool operator==(const RegValue& other) const {
        return status == other.status && type == other.type && bytes == other.bytes;
    }
    bool operator!=(const RegValue& other) const { return !(*this == other); }
};
void PrintTo(const RegValue& value, std::ostream* out);
RegValue Dword(DWORD value);                 // REG_DWORD, 4 bytes
RegValue Sz(const std::string& text);        // REG_SZ, the text and its NUL
RegValue Missing();                          // what querying an absent value gives

// The service key HVNBRI<adapter>: deleted with everything below it on construction and on
// destruction, so a test starts from an absent key and leaves nothing behind.
class AdapterKey {
public:
    explicit AdapterKey(long long adapter);
    ~AdapterKey();
    AdapterKey(const AdapterKey&) = delete;
    AdapterKey& operator=(const AdapterKey&) = delete;

    long long adapter() const { return adapter_; }
    testing::AssertionResult Delete() const;
    // Creates HVNBRI<n>\Parameters as the driver's installation would.
    testing::AssertionResult CreateParameters() const;
    // Creates HVNBRI<n> volatile: a non-volatile Parameters key can then not be created.
    testing::AssertionResult CreateVolatileService() const;
    // Sets a value with exactly these type and bytes (creating Parameters when absent).
    testing::AssertionResult Set(const std::string& name, DWORD type, const void* bytes,
                                 DWORD size) const;
    testing::AssertionResult Set(const std::string& name, const RegValue& value) const;

    bool ServiceExists() const;
    bool ParametersExist() const;
    // Queries through a sentinel-filled buffer with guard bytes; an overrun fails the test.
    RegValue Read(const std::string& name) const;
    // Names of the values in Parameters, in the registry's order (empty when absent).
    std::vector<std::string> ValueNames() const;
    // Number of keys below Parameters; -1 when absent.
    int SubkeyCount() const;
    // The class string Parameters was created with.
    std::string ParametersClass() const;

private:
    long long adapter_;
};

// Values by name, as a test expects to find them.
using Values = std::map<std::string, RegValue>;

// The key's values are exactly these, with these types and bytes.
testing::AssertionResult HoldsExactly(const AdapterKey& key, const Values& expected);

}  // namespace hvntest
