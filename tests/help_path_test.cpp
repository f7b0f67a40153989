// The help file's place, worked out in-process: StripFileName and MakeHelpPath on typical
// module paths, on buffers that fit exactly or by one byte too few, and on paths too long for
// their buffers. Every buffer is filled with sentinel bytes and followed by guard bytes, so a
// write past its end, or any write where none is allowed, fails the test.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "help_about/help_file.h"

namespace {

constexpr unsigned char kSentinel = 0xA5;
constexpr size_t kGuardBytes = 16;

// A destination of `size` bytes, all sentinels, followed by guard bytes.
class GuardedBuffer {
public:
    explicit GuardedBuffer(size_t size) : size_(size), bytes_(size + kGuardBytes, kSentinel) {}
    // Starts the buffer with `text` and its NUL; the rest stays sentinel bytes.
    GuardedBuffer(size_t size, const std::string& text) : GuardedBuffer(size) {
        std::memcpy(bytes_.data(), text.c_str(), text.size() + 1);
    }

    char* data() { return reinterpret_cast<char*>(bytes_.data()); }
    int size() const { return static_cast<int>(size_); }
    // The NUL-terminated text at the start; the whole buffer when it holds no NUL.
    std::string Text() const {
        const void* nul = std::memchr(bytes_.data(), 0, size_);
        const size_t length = nul ? static_cast<const unsigned char*>(nul) - bytes_.data() : size_;
        return std::string(reinterpret_cast<const char*>(bytes_.data()), length);
    }
    bool GuardIntact() const {
        for (size_t i = size_; i < bytes_.size(); ++i)
            if (bytes_[i] != kSentinel) return false;
        return true;
    }
    std::vector<unsigned char> Bytes() const { return bytes_; }

private:
    size_t size_;
    std::vector<unsigned char> bytes_;
};

struct PathCase {
    const char* source;
    const char* directory;
    const char* helpPath;
};

// Typical module paths: a directory, a root directory, a drive-relative name, a rooted name
// without drive, a network share, and names with neither a backslash nor a colon.
const PathCase kPathCases[] = {
    {"C:\\TOOLS\\ISDN\\PROG.EXE", "C:\\TOOLS\\ISDN", "C:\\TOOLS\\ISDN\\RIZUV"},
    {"C:\\PROG.EXE", "C:", "C:\\RIZUV"},
    {"C:PROG.EXE", "C:", "C:\\RIZUV"},
    {"\\PROG.EXE", "", "\\RIZUV"},
    {"\\\\SERVER\\SHARE\\PROG.EXE", "\\\\SERVER\\SHARE", "\\\\SERVER\\SHARE\\RIZUV"},
    {"C:\\TOOLS\\ISDN\\", "C:\\TOOLS\\ISDN", "C:\\TOOLS\\ISDN\\RIZUV"},
    {"C:TOOLS\\PROG.EXE", "C:TOOLS", "C:TOOLS\\RIZUV"},
    {"PROG.EXE", ".", ".\\RIZUV"},
    {"", ".", ".\\RIZUV"},
};

std::string Trace(const PathCase& row) { return std::string("source \"") + row.source + "\""; }

// "C:\" followed by directory names up to `length` characters in all (no trailing backslash).
std::string DirectoryOfLength(size_t length) {
    std::string directory = "C:";
    while (directory.size() + 1 < length) {
        const size_t names = std::min<size_t>(40, length - directory.size() - 1);
        directory += "\\" + std::string(names, 'D');
    }
    directory.resize(length, 'D');
    return directory;
}

TEST(StripFileName, GivesTheDirectoryOfEachPath) {
    for (const PathCase& row : kPathCases) {
        SCOPED_TRACE(Trace(row));
        GuardedBuffer directory(MAX_PATH);
        StripFileName(row.source, directory.data(), directory.size());
        EXPECT_EQ(row.directory, directory.Text());
        EXPECT_TRUE(directory.GuardIntact());
    }
}

TEST(StripFileName, WorksInADestinationThatJustHoldsTheSource) {
    for (const PathCase& row : kPathCases) {
        SCOPED_TRACE(Trace(row));
        // Room for the source and its NUL; "." needs two bytes even for an empty source.
        const size_t size = std::max<size_t>(std::strlen(row.source), 1) + 1;
        GuardedBuffer directory(size);
        StripFileName(row.source, directory.data(), directory.size());
        EXPECT_EQ(row.directory, directory.Text());
        EXPECT_TRUE(directory.GuardIntact());
    }
}

TEST(StripFileName, LeavesTheDestinationUntouchedWhenTheSourceDoesNotFit) {
    const std::string fits259 = DirectoryOfLength(250) + "\\PROG.EXE";   // 259 characters
    const std::string long260 = DirectoryOfLength(251) + "\\PROG.EXE";   // 260 characters
    const std::string long400 = DirectoryOfLength(391) + "\\PROG.EXE";
    ASSERT_EQ(259u, fits259.size());
    ASSERT_EQ(260u, long260.size());
    struct Case {
        const char* name;
        std::string source;
        int size;
    };
    const Case cases[] = {
        {"260 characters into 260 bytes", long260, MAX_PATH},
        {"400 characters into 260 bytes", long400, MAX_PATH},
        {"259 characters into 259 bytes", fits259, MAX_PATH - 1},
        {"C:\\PROG.EXE into 11 bytes", "C:\\PROG.EXE", 11},
        {"C:\\PROG.EXE into 1 byte", "C:\\PROG.EXE", 1},
        {"empty name into 0 bytes", "", 0},
    };
    for (const Case& row : cases) {
        SCOPED_TRACE(row.name);
        GuardedBuffer directory(row.size);
        const std::vector<unsigned char> before = directory.Bytes();
        StripFileName(row.source.c_str(), directory.data(), directory.size());
        EXPECT_EQ(before, directory.Bytes()) << "the destination or its guard was written";
    }
    // An earlier directory stays as it was.
    GuardedBuffer directory(MAX_PATH, "C:\\EARLIER");
    const std::vector<unsigned char> before = directory.Bytes();
    StripFileName(long260.c_str(), directory.data(), directory.size());
    EXPECT_EQ(before, directory.Bytes());
    EXPECT_EQ("C:\\EARLIER", directory.Text());
}

TEST(StripFileName, KeepsTheLongestSourceThatFits) {
    const std::string directoryPart = DirectoryOfLength(250);
    const std::string source = directoryPart + "\\PROG.EXE";  // 259 characters and the NUL
    GuardedBuffer directory(MAX_PATH);
    StripFileName(source.c_str(), directory.data(), directory.size());
    EXPECT_EQ(directoryPart, directory.Text());
    EXPECT_TRUE(directory.GuardIntact());
}

TEST(MakeHelpPath, GivesTheDirectoryAndRIZUVForEachPath) {
    for (const PathCase& row : kPathCases) {
        SCOPED_TRACE(Trace(row));
        GuardedBuffer helpPath(MAX_PATH);
        EXPECT_TRUE(MakeHelpPath(row.source, helpPath.data(), helpPath.size()));
        EXPECT_EQ(row.helpPath, helpPath.Text());
        EXPECT_TRUE(helpPath.GuardIntact());
    }
}

TEST(MakeHelpPath, FillsABufferThatJustHoldsItAndTouchesNoneThatIsOneByteShort) {
    for (const PathCase& row : kPathCases) {
        SCOPED_TRACE(Trace(row));
        const int exact = static_cast<int>(std::strlen(row.helpPath)) + 1;
        GuardedBuffer fits(exact);
        EXPECT_TRUE(MakeHelpPath(row.source, fits.data(), fits.size()));
        EXPECT_EQ(row.helpPath, fits.Text());
        EXPECT_TRUE(fits.GuardIntact());

        GuardedBuffer tooSmall(exact - 1);
        const std::vector<unsigned char> before = tooSmall.Bytes();
        EXPECT_FALSE(MakeHelpPath(row.source, tooSmall.data(), tooSmall.size()));
        EXPECT_EQ(before, tooSmall.Bytes()) << "the buffer or its guard was written";
    }
}

// The help path is the directory, "\RIZUV" and a NUL: a directory of 253 characters makes a
// help path of exactly 260 bytes, one of 254 characters would need 261.
TEST(MakeHelpPath, FitsTheLongestDirectoryAndRefusesLongerOnes) {
    struct Case {
        size_t directoryLength;
        const char* fileName;
        bool fits;
    };
    const Case cases[] = {
        {252, "\\P.EXE", true},
        {253, "\\P.EXE", true},
        {254, "\\P.EX", false},
        {257, "\\P", false},
    };
    for (const Case& row : cases) {
        const std::string directory = DirectoryOfLength(row.directoryLength);
        const std::string module = directory + row.fileName;
        SCOPED_TRACE("directory of " + std::to_string(row.directoryLength) +
                     " characters, module path of " + std::to_string(module.size()));
        // A module path GetModuleFileNameA can give.
        ASSERT_LT(module.size(), static_cast<size_t>(MAX_PATH));
        GuardedBuffer helpPath(MAX_PATH);
        const std::vector<unsigned char> before = helpPath.Bytes();
        const BOOL made = MakeHelpPath(module.c_str(), helpPath.data(), helpPath.size());
        EXPECT_EQ(row.fits, made != FALSE);
        if (row.fits) {
            EXPECT_EQ(directory + "\\RIZUV", helpPath.Text());
            EXPECT_EQ(row.directoryLength + 6, helpPath.Text().size());
            EXPECT_TRUE(helpPath.GuardIntact());
        } else {
            EXPECT_EQ(before, helpPath.Bytes()) << "a refused help path wrote into the buffer";
        }
    }
}

// A module path that no 260-byte buffer holds: its directory is longer than any help path
// that fits, so there is no help path, and nothing is written.
TEST(MakeHelpPath, RefusesAModulePathLongerThanAnyBufferHolds) {
    const std::string module = DirectoryOfLength(300) + "\\PROG.EXE";
    GuardedBuffer helpPath(MAX_PATH);
    const std::vector<unsigned char> before = helpPath.Bytes();
    EXPECT_FALSE(MakeHelpPath(module.c_str(), helpPath.data(), helpPath.size()))
        << "made \"" << helpPath.Text() << "\"";
    EXPECT_EQ(before, helpPath.Bytes());
}

}  // namespace
