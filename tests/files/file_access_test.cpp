// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_access.h"

#include "file_test_helpers.h"
#include "integer_text.h"
#include "real_reading.h"
#include "real_text.h"
#include "ren_file.h"
#include "rna_file.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool kReservedAddresses = true;  // the sanitizer reserves terabytes of address space
#else
constexpr bool kReservedAddresses = false;
#endif

// Lets this process use at most 64 MB more address space than it uses now:
// a read that held a file's useless lines would run out.
void LimitMemory() {
    if (kReservedAddresses) return;
    std::ifstream statm("/proc/self/statm");
    rlim_t paginas = 0;
    statm >> paginas;
    rlimit limit{};
    limit.rlim_cur = limit.rlim_max = paginas * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + (rlim_t{64} << 20);
    ::setrlimit(RLIMIT_AS, &limit);
}

// Ends a child process of a test: successfully when `obtainedValue` is `expected`.
[[noreturn]] void EndWith(const std::string& obtainedValue, const std::string& expected) {
    if (obtainedValue != expected) std::fprintf(stderr, "got: %.400s\n", obtainedValue.c_str());
    std::_Exit(obtainedValue == expected ? 0 : 1);
}

int EntriesInFolder(const TemporaryFolder& folder) {
    int n = 0;
    for ([[maybe_unused]] const auto& input : fs::directory_iterator(folder.Folder())) ++n;
    return n;
}

// Lowers the largest file this process may write for the scope's life, so
// that a write fails midway; the signal that would end the process is ignored.
class SizeLimit {
public:
    explicit SizeLimit(rlim_t bytes) {
        previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limit = previous_;
        limit.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~SizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &previous_);
        std::signal(SIGXFSZ, previousSignal_);
    }

private:
    rlimit previous_{};
    void (*previousSignal_)(int);
};

TEST(SaveLines, WritesCrLfAfterEveryLineAndReplacesTheFile) {
    TemporaryFolder folder;
    const std::string path = folder.Path("xor.rna");
    WriteBytes(path, std::string(1000, 'z'));
    SaveLines(path, {"2", "0,5"});
    EXPECT_EQ(ReadBytes(path), "2\r\n0,5\r\n");
    EXPECT_EQ(EntriesInFolder(folder), 1);
}

TEST(SaveFileSafely, FailedWriteLeavesThePreviousFileByteForByte) {
    TemporaryFolder folder;
    const std::string path = folder.Path("xor.ren");
    const std::string previous = "1\r\n1\r\n1\r\n0\r\n0\r\n0,25\r\n";
    WriteBytes(path, previous);
    {
        SizeLimit limit(4096);
        EXPECT_EQ(MessageOf([&] { SaveFileSafely(path, std::string(100000, '7')); }), "Cannot create file " + path);
    }
    EXPECT_EQ(ReadBytes(path), previous);
    EXPECT_EQ(EntriesInFolder(folder), 1);  // no temporary file left behind
}

TEST(SaveFileSafely, ReportsAFileThatCannotBeCreated) {
    TemporaryFolder folder;
    const std::string sinCarpeta = folder.Path("no/existe/xor.rna");
    EXPECT_EQ(MessageOf([&] { SaveFileSafely(sinCarpeta, "1"); }), "Cannot create file " + sinCarpeta);
    const std::string esCarpeta = folder.Path("sub");
    fs::create_directory(esCarpeta);
    EXPECT_EQ(MessageOf([&] { SaveFileSafely(esCarpeta, "1"); }), "Cannot create file " + esCarpeta);
    EXPECT_TRUE(fs::is_directory(esCarpeta));
    EXPECT_EQ(MessageOf([&] { SaveFileSafely("", "1"); }), "Cannot create file ");
}

TEST(SaveFileSafely, KeepsPermissionsOwnerAndSymbolicLinks) {
    TemporaryFolder folder;
    const std::string real = folder.Path("real.rna");
    const std::string enlace = folder.Path("enlace.rna");
    WriteBytes(real, "viejo");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const bool root = ::geteuid() == 0;  // only root may give a file to another user
    if (root) {
        ASSERT_EQ(::chown(real.c_str(), 65534, 65534), 0);
    }
    fs::create_symlink(real, enlace);
    SaveFileSafely(enlace, "nuevo");
    EXPECT_TRUE(fs::is_symlink(enlace));
    EXPECT_EQ(ReadBytes(real), "nuevo");
    EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    struct stat data {};
    ASSERT_EQ(::stat(real.c_str(), &data), 0);
    EXPECT_EQ(data.st_uid, root ? 65534u : ::geteuid());
    EXPECT_EQ(data.st_gid, root ? 65534u : ::getegid());
}

TEST(SaveFileSafely, DanglingLinkGetsItsFileAndStaysALink) {
    TemporaryFolder folder;
    const std::string enlace = folder.Path("enlace.rna");
    fs::create_symlink("falta.rna", enlace);
    SaveFileSafely(enlace, "nuevo");
    EXPECT_TRUE(fs::is_symlink(enlace));
    EXPECT_EQ(ReadBytes(folder.Path("falta.rna")), "nuevo");
    const std::string bucle = folder.Path("bucle.rna");
    fs::create_symlink("bucle.rna", bucle);
    EXPECT_EQ(MessageOf([&] { SaveFileSafely(bucle, "1"); }), "Cannot create file " + bucle);
}

TEST(SaveFileSafely, WritesInPlaceWhenTheFolderTakesNoNewFile) {
    TemporaryFolder folder;
    fs::permissions(folder.Folder(), fs::perms::others_exec, fs::perm_options::add);
    const std::string closed = folder.Path("cerrada");
    fs::create_directory(closed);
    const std::string path = closed + "/xor.rna";
    WriteBytes(path, "viejo y largo");
    fs::permissions(path, fs::perms::others_write, fs::perm_options::add);
    fs::permissions(closed, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_exec);
    EXPECT_EXIT(
        {
            // Root may create files anywhere: the save runs as a user who may not.
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) std::_Exit(2);
            EndWith(MessageOf([&] { SaveFileSafely(path, "nuevo"); }), "(no error)");
        },
        ::testing::ExitedWithCode(0), "");
    fs::permissions(closed, fs::perms::owner_all);
    EXPECT_EQ(ReadBytes(path), "nuevo");
    EXPECT_EQ(std::distance(fs::directory_iterator(closed), fs::directory_iterator()), 1);
}

// Root may write any file, so the save runs in a child that, under root,
// first becomes the unprivileged user "nobody".
TEST(SaveFileSafely, RefusesAFileTheUserMayNotWrite) {
    TemporaryFolder folder;
    const std::string path = folder.Path("protegido.rna");
    WriteBytes(path, "viejo");
    fs::permissions(path, fs::perms::owner_read);
    fs::permissions(folder.Folder(), fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    EXPECT_EXIT(
        {
            constexpr uid_t kNobody = 65534;
            if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
                std::_Exit(2);
            EndWith(MessageOf([&] { SaveFileSafely(path, "nuevo"); }), "Cannot create file " + path);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadBytes(path), "viejo");
}

TEST(SaveFileSafely, LongNamesStillSave) {
    TemporaryFolder folder;
    const std::string path = folder.Path(std::string(240, 'n') + ".rna");
    SaveFileSafely(path, "1\r\n");
    EXPECT_EQ(ReadBytes(path), "1\r\n");
}

TEST(FileForReading, ReadsEveryByteOrReportsTheFile) {
    TemporaryFolder folder;
    const std::string path = folder.Path("datos.rna");
    const std::string bytes("1\r\n\0\xff\r", 6);
    WriteBytes(path, bytes);
    FileForReading file(path);
    std::string readValue(100, ' ');
    readValue.resize(file.Source()(readValue.data(), readValue.size()));
    EXPECT_EQ(readValue, bytes);
    EXPECT_EQ(MessageOf([&] { FileForReading otro(folder.Path("no.rna")); }), "Cannot open file " + folder.Path("no.rna"));
    EXPECT_EQ(MessageOf([&] { FileForReading otro(folder.Folder().string()); }),
              "Cannot open file " + folder.Folder().string());
}

// Each load returns at once and within 64 MB: a pipe (as the file or as the
// companion) or a device is refused, and a file is read no further than the
// lines it needs, however many follow.
TEST(ReadRna, AnyFileLoadsAtOnceWithinBoundedMemory) {
    TemporaryFolder folder;
    const std::string pipe = folder.Path("tuberia.rna");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string zero = folder.Path("cero.rna");
    fs::create_symlink("/dev/zero", zero);
    const std::string ren = folder.Path("xor.ren");
    WriteBytes(ren, "1\r\n1\r\n1\r\n0\r\n0\r\n1\r\n2\r\n3\r\n4\r\n");
    ASSERT_EQ(::mkfifo(folder.Path("xor.rna").c_str(), 0600), 0);
    const std::string saltos(8 << 20, '\n');  // 8 million empty lines, far more as a list of lines
    const std::string vacias = folder.Path("vacias.rna");
    WriteBytes(vacias, saltos);
    const std::string conCola = folder.Path("con_cola.rna");
    WriteBytes(conCola, "1\r\n1\r\n1\r\n0\r\n0\r\n1\r\n0,5\r\n2\r\n" + saltos);
    const std::string expected = "Cannot open file " + pipe + "|Cannot open file " + zero + "|Cannot open file " +
                                 folder.Path("xor.rna") + "|'' is not a valid integer value|0.5";
    EXPECT_EXIT(
        {
            ::alarm(60);  // ends the child should an open wait for a writer
            LimitMemory();
            EndWith(MessageOf([&] { ReadRna(pipe); }) + "|" + MessageOf([&] { ReadRna(zero); }) + "|" +
                            MessageOf([&] { ReadRen(ren); }) + "|" + MessageOf([&] { ReadRna(vacias); }) + "|" +
                            RealText(ReadRna(conCola).Patterns->Entradas.at(0), '.'),
                        expected);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(FileExists, OnlyForFiles) {
    TemporaryFolder folder;
    WriteBytes(folder.Path("a.rna"), "");
    EXPECT_TRUE(FileExists(folder.Path("a.rna")));
    EXPECT_FALSE(FileExists(folder.Path("b.rna")));
    EXPECT_FALSE(FileExists(folder.Folder().string()));
}

}  // namespace
