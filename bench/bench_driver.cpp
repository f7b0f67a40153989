// Benchmark driver: runs the configuration program and the bare sheet alternately on the same
// adapter fixture and times, from inside Wine, what a user waits for:
//   start-up - process creation until the sheet is visible with its first page created and
//              painted and the sheet idle;
//   close    - OK posted (after the second page was opened and the sheet went idle) until
//              the process has exited;
// and samples the process's memory at the idle point. One CSV line per measured run.
//
// The fixture stores every value with a registry type the program does not look at
// (numbers as four-byte REG_BINARY, texts as REG_EXPAND_SZ), so each of the ten values the
// program commits is a real write: wineserver skips a write of the same type and data,
// where Windows would write it all the same. Afterwards the program's run must have left
// all ten as REG_DWORD / REG_SZ with the same data, the bare sheet's all ten untouched.
#include <windows.h>
#include <prsht.h>
#include <psapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

namespace {

const DWORD kTimeoutMs = 20000;  // any single wait; a run that takes longer is killed

struct Options {
    const char* pszProgram = nullptr;
    const char* pszBare = nullptr;
    const char* pszCsv = nullptr;
    int nAdapter = 7;
    int nPairs = 40;
    int nWarmupPairs = 2;
};

// The adapter fixture: all ten values present, each one the program reads back unchanged.
struct NumberValue {
    const char* pszName;
    DWORD value;
};
struct TextValue {
    const char* pszName;
    const char* pszText;
};
const NumberValue kFixtureNumbers[] = {
    { "IOBaseAddress", 832 }, { "InterruptNumber", 11 }, { "VoiceEnabled", 1 },
    { "RingPattern", 1 },     { "SwitchType", 2 },       { "NumPhoneNumbers", 2 },
};
const TextValue kFixtureTexts[] = {
    { "PhoneNumber1", "555-0100" }, { "PhoneNumber2", "555 0101" },
    { "SPID1", "01555010000" },     { "SPID2", "01555010100" },
};

struct RunResult {
    double startupMs = 0;
    double closeMs = 0;
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    DWORD exitCode = 0;
    ULONGLONG linuxPrivate = 0;  // Private_Clean + Private_Dirty of the Wine process
    ULONGLONG linuxRss = 0;
    int valuesCommitted = 0;     // values left as REG_DWORD / REG_SZ with the fixture's data
    int valuesUntouched = 0;     // values left exactly as the fixture wrote them
};

LARGE_INTEGER g_frequency;

double MsBetween(const LARGE_INTEGER& from, const LARGE_INTEGER& to)
{
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
           static_cast<double>(g_frequency.QuadPart);
}

LARGE_INTEGER Now()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now;
}

[[noreturn]] void Fail(const char* pszWhat)
{
    fprintf(stderr, "bench_driver: %s (error %lu)\n", pszWhat, GetLastError());
    exit(2);
}

void KeyPath(int nAdapter, char (&szPath)[96])
{
    snprintf(szPath, sizeof(szPath), "SYSTEM\\CurrentControlSet\\Services\\HVNBRI%d\\Parameters",
             nAdapter);
}

void WriteFixture(int nAdapter)
{
    char szPath[96];
    KeyPath(nAdapter, szPath);
    HKEY hKey = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, szPath, 0, nullptr, REG_OPTION_NON_VOLATILE,
                        KEY_ALL_ACCESS, nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        Fail("cannot create the fixture key");
    for (const NumberValue& v : kFixtureNumbers)
        RegSetValueExA(hKey, v.pszName, 0, REG_BINARY, reinterpret_cast<const BYTE*>(&v.value),
                       sizeof(v.value));
    for (const TextValue& v : kFixtureTexts)
        RegSetValueExA(hKey, v.pszName, 0, REG_EXPAND_SZ, reinterpret_cast<const BYTE*>(v.pszText),
                       static_cast<DWORD>(strlen(v.pszText) + 1));
    RegCloseKey(hKey);
}

// Counts the values that hold the fixture's data as the program commits them (REG_DWORD,
// REG_SZ) and those still exactly as the fixture wrote them.
void CheckValues(int nAdapter, RunResult* pResult)
{
    char szPath[96];
    KeyPath(nAdapter, szPath);
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, szPath, 0, KEY_READ, &hKey) != ERROR_SUCCESS)
        return;
    for (const NumberValue& v : kFixtureNumbers) {
        DWORD type = 0, data = 0, size = sizeof(data);
        if (RegQueryValueExA(hKey, v.pszName, nullptr, &type, reinterpret_cast<BYTE*>(&data),
                             &size) != ERROR_SUCCESS || size != sizeof(data) || data != v.value)
            continue;
        pResult->valuesCommitted += type == REG_DWORD;
        pResult->valuesUntouched += type == REG_BINARY;
    }
    for (const TextValue& v : kFixtureTexts) {
        char text[64] = "";
        DWORD type = 0, size = sizeof(text);
        if (RegQueryValueExA(hKey, v.pszName, nullptr, &type, reinterpret_cast<BYTE*>(text),
                             &size) != ERROR_SUCCESS || strcmp(text, v.pszText) != 0)
            continue;
        pResult->valuesCommitted += type == REG_SZ;
        pResult->valuesUntouched += type == REG_EXPAND_SZ;
    }
    RegCloseKey(hKey);
}

// Reads a whole file of procfs (whose size is not known beforehand) into buffer.
DWORD ReadProcFile(const char* pszPath, char* buffer, DWORD size)
{
    HANDLE hFile = CreateFileA(pszPath, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                               nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile == INVALID_HANDLE_VALUE)
        return 0;
    DWORD total = 0, got = 0;
    while (total + 1 < size && ReadFile(hFile, buffer + total, size - 1 - total, &got, nullptr) &&
           got > 0)
        total += got;
    CloseHandle(hFile);
    buffer[total] = '\0';
    return total;
}

ULONGLONG KiBField(const char* pszText, const char* pszField)
{
    const char* p = strstr(pszText, pszField);
    return p ? 1024ULL * strtoull(p + strlen(pszField), nullptr, 10) : 0;
}

// Wine reports no private bytes for another process, so Linux's figures for the Wine process
// are read through the Z: drive: the process whose command line names pszExe and whose
// environment carries this run's WINEPREFIX.
void ReadLinuxMemory(const char* pszExe, RunResult* pResult)
{
    const char* pszName = pszExe;
    for (const char* p = pszExe; *p; ++p)
        if (*p == '\\' || *p == '/')
            pszName = p + 1;
    char szPrefix[MAX_PATH + 16] = "WINEPREFIX=";
    if (!GetEnvironmentVariableA("WINEPREFIX", szPrefix + 11, MAX_PATH))
        szPrefix[0] = '\0';

    WIN32_FIND_DATAA entry;
    HANDLE hFind = FindFirstFileA("Z:\\proc\\*", &entry);
    if (hFind == INVALID_HANDLE_VALUE)
        return;
    static char buffer[65536];
    do {
        if (entry.cFileName[0] < '1' || entry.cFileName[0] > '9')
            continue;
        char szPath[MAX_PATH];
        snprintf(szPath, sizeof(szPath), "Z:\\proc\\%s\\cmdline", entry.cFileName);
        if (!ReadProcFile(szPath, buffer, sizeof(buffer)))
            continue;
        const char* pszArg0 = buffer;  // the first NUL-terminated argument
        const char* pszBase = pszArg0;
        for (const char* p = pszArg0; *p; ++p)
            if (*p == '\\' || *p == '/')
                pszBase = p + 1;
        if (_stricmp(pszBase, pszName) != 0)
            continue;
        if (szPrefix[0]) {
            snprintf(szPath, sizeof(szPath), "Z:\\proc\\%s\\environ", entry.cFileName);
            DWORD length = ReadProcFile(szPath, buffer, sizeof(buffer));
            bool found = false;
            for (DWORD i = 0; i < length && !found; i += static_cast<DWORD>(strlen(buffer + i)) + 1)
                found = strcmp(buffer + i, szPrefix) == 0;
            if (!found)
                continue;
        }
        snprintf(szPath, sizeof(szPath), "Z:\\proc\\%s\\smaps_rollup", entry.cFileName);
        if (ReadProcFile(szPath, buffer, sizeof(buffer))) {
            pResult->linuxPrivate = KiBField(buffer, "Private_Clean:") +
                                    KiBField(buffer, "Private_Dirty:");
            pResult->linuxRss = KiBField(buffer, "Rss:");
        }
        break;
    } while (FindNextFileA(hFind, &entry));
    FindClose(hFind);
}

struct SheetSearch {
    DWORD processId;
    const char* pszTitle;
    HWND hSheet;
};

BOOL CALLBACK FindSheetProc(HWND hWnd, LPARAM lParam)
{
    SheetSearch* pSearch = reinterpret_cast<SheetSearch*>(lParam);
    DWORD processId = 0;
    GetWindowThreadProcessId(hWnd, &processId);
    if (processId != pSearch->processId)
        return TRUE;
    char szClass[16] = "", szTitle[96] = "";
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    GetWindowTextA(hWnd, szTitle, sizeof(szTitle));
    if (strcmp(szClass, "#32770") != 0 || strcmp(szTitle, pSearch->pszTitle) != 0)
        return TRUE;
    pSearch->hSheet = hWnd;
    return FALSE;
}

HWND FindSheet(DWORD processId, const char* pszTitle)
{
    SheetSearch search = { processId, pszTitle, nullptr };
    EnumWindows(FindSheetProc, reinterpret_cast<LPARAM>(&search));
    return search.hSheet;
}

// The page the sheet shows: its one visible child dialog.
HWND VisiblePage(HWND hSheet)
{
    for (HWND hChild = FindWindowExA(hSheet, nullptr, "#32770", nullptr); hChild;
         hChild = FindWindowExA(hSheet, hChild, "#32770", nullptr))
        if (IsWindowVisible(hChild))
            return hChild;
    return nullptr;
}

BOOL CALLBACK PaintPendingProc(HWND hWnd, LPARAM lParam)
{
    if (IsWindowVisible(hWnd) && GetUpdateRect(hWnd, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(lParam) = true;
        return FALSE;
    }
    return TRUE;
}

// Whether the sheet or any window inside it still waits to be painted.
bool PaintPending(HWND hSheet)
{
    bool pending = GetUpdateRect(hSheet, nullptr, FALSE) != FALSE;
    if (!pending)
        EnumChildWindows(hSheet, PaintPendingProc, reinterpret_cast<LPARAM>(&pending));
    return pending;
}

// Waits until the sheet shows a page other than hNotPage, nothing in it waits to be painted,
// and a message sent to the sheet has come back. Returns the page shown, null on time-out.
HWND WaitSettled(HWND hSheet, HWND hNotPage, ULONGLONG deadline)
{
    while (GetTickCount64() < deadline) {
        HWND hPage = IsWindowVisible(hSheet) ? VisiblePage(hSheet) : nullptr;
        if (!hPage || hPage == hNotPage || !GetWindow(hPage, GW_CHILD) || PaintPending(hSheet)) {
            Sleep(1);
            continue;
        }
        DWORD_PTR ignored = 0;
        if (!SendMessageTimeoutA(hSheet, WM_NULL, 0, 0, SMTO_NORMAL, kTimeoutMs, &ignored))
            return nullptr;
        if (!PaintPending(hSheet) && VisiblePage(hSheet) == hPage)
            return hPage;
    }
    return nullptr;
}

bool RunOnce(const char* pszExe, const Options& options, RunResult* pResult)
{
    WriteFixture(options.nAdapter);

    char szTitle[96];
    snprintf(szTitle, sizeof(szTitle), "Kestrin 128K BRI Adapter [%d] Configuration",
             options.nAdapter);
    char szCommandLine[MAX_PATH + 32];
    snprintf(szCommandLine, sizeof(szCommandLine), "\"%s\" %d", pszExe, options.nAdapter);

    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};

    LARGE_INTEGER created = Now();
    if (!CreateProcessA(nullptr, szCommandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &process))
        Fail("cannot start the program under test");
    ULONGLONG deadline = GetTickCount64() + kTimeoutMs;

    bool ok = false;
    do {
        WaitForInputIdle(process.hProcess, kTimeoutMs);
        HWND hSheet = nullptr;
        while (!hSheet && GetTickCount64() < deadline) {
            hSheet = FindSheet(process.dwProcessId, szTitle);
            if (!hSheet)
                Sleep(1);
        }
        if (!hSheet) {
            fprintf(stderr, "bench_driver: no sheet \"%s\" from %s\n", szTitle, pszExe);
            break;
        }
        HWND hFirstPage = WaitSettled(hSheet, nullptr, deadline);
        if (!hFirstPage) {
            fprintf(stderr, "bench_driver: the first page of %s never settled\n", pszExe);
            break;
        }
        pResult->startupMs = MsBetween(created, Now());

        pResult->memory.cb = sizeof(pResult->memory);
        GetProcessMemoryInfo(process.hProcess,
                             reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pResult->memory),
                             sizeof(pResult->memory));
        ReadLinuxMemory(pszExe, pResult);

        // Both programs open the second page first, so the close does the same work in both.
        PostMessageA(hSheet, PSM_SETCURSEL, 1, 0);
        if (!WaitSettled(hSheet, hFirstPage, deadline)) {
            fprintf(stderr, "bench_driver: the second page of %s never settled\n", pszExe);
            break;
        }

        LARGE_INTEGER pressed = Now();
        PostMessageA(hSheet, PSM_PRESSBUTTON, PSBTN_OK, 0);
        if (WaitForSingleObject(process.hProcess, kTimeoutMs) != WAIT_OBJECT_0) {
            fprintf(stderr, "bench_driver: %s did not exit after OK\n", pszExe);
            break;
        }
        pResult->closeMs = MsBetween(pressed, Now());
        ok = true;
    } while (false);

    if (!ok) {
        TerminateProcess(process.hProcess, 99);
        WaitForSingleObject(process.hProcess, kTimeoutMs);
    }
    GetExitCodeProcess(process.hProcess, &pResult->exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    CheckValues(options.nAdapter, pResult);
    return ok;
}

bool ParseOptions(int argc, char** argv, Options* pOptions)
{
    for (int i = 1; i + 1 < argc; i += 2) {
        const char* pszName = argv[i];
        const char* pszValue = argv[i + 1];
        if (strcmp(pszName, "--program") == 0)
            pOptions->pszProgram = pszValue;
        else if (strcmp(pszName, "--bare") == 0)
            pOptions->pszBare = pszValue;
        else if (strcmp(pszName, "--csv") == 0)
            pOptions->pszCsv = pszValue;
        else if (strcmp(pszName, "--adapter") == 0)
            pOptions->nAdapter = atoi(pszValue);
        else if (strcmp(pszName, "--pairs") == 0)
            pOptions->nPairs = atoi(pszValue);
        else if (strcmp(pszName, "--warmup") == 0)
            pOptions->nWarmupPairs = atoi(pszValue);
        else
            return false;
    }
    return argc % 2 == 1 && pOptions->pszProgram && pOptions->pszBare && pOptions->pszCsv &&
           pOptions->nPairs > 0 && pOptions->nWarmupPairs >= 0;
}

}  // namespace

int main(int argc, char** argv)
{
    Options options;
    if (!ParseOptions(argc, argv, &options)) {
        fprintf(stderr,
                "usage: bench_driver --program EXE --bare EXE --csv FILE [--adapter N]"
                " [--pairs N] [--warmup N]\n");
        return 2;
    }
    QueryPerformanceFrequency(&g_frequency);

    FILE* pCsv = fopen(options.pszCsv, "w");
    if (!pCsv)
        Fail("cannot write the results file");
    fprintf(pCsv, "pair,slot,exe,startup_ms,close_ms,peak_working_set,working_set,"
                  "private_bytes,linux_private,linux_rss,exit_code,values_committed,values_untouched\n");

    const char* const exes[2] = { options.pszProgram, options.pszBare };
    const char* const names[2] = { "program", "bare" };
    int nTotal = options.nWarmupPairs + options.nPairs;
    for (int pair = 0; pair < nTotal; ++pair) {
        bool warmup = pair < options.nWarmupPairs;
        // A B B A: every other pair starts with the bare sheet, so neither always goes first.
        for (int slot = 0; slot < 2; ++slot) {
            int which = (pair % 2 == 0) ? slot : 1 - slot;
            RunResult result;
            if (!RunOnce(exes[which], options, &result)) {
                fclose(pCsv);
                return 1;
            }
            if (warmup)
                continue;
            fprintf(pCsv, "%d,%d,%s,%.3f,%.3f,%llu,%llu,%llu,%llu,%llu,%lu,%d,%d\n",
                    pair - options.nWarmupPairs, slot, names[which], result.startupMs,
                    result.closeMs,
                    static_cast<unsigned long long>(result.memory.PeakWorkingSetSize),
                    static_cast<unsigned long long>(result.memory.WorkingSetSize),
                    static_cast<unsigned long long>(result.memory.PrivateUsage),
                    result.linuxPrivate, result.linuxRss, result.exitCode,
                    result.valuesCommitted, result.valuesUntouched);
        }
        int done = warmup ? pair + 1 : pair - options.nWarmupPairs + 1;
        if (done == (warmup ? options.nWarmupPairs : options.nPairs) || done % 10 == 0)
            fprintf(stderr, "bench_driver: %s pairs: %d of %d\n", warmup ? "warm-up" : "measured",
                    done, warmup ? options.nWarmupPairs : options.nPairs);
    }
    fclose(pCsv);
    return 0;
}
