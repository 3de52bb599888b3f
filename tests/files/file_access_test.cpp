// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_access.h"

#include "file_test_helpers.h"
#include "integer_text.h"
#include "real_reading.h"
#include "real_text.h"
#include "ren_file.h"
#include "rna_file.h"
#include "recovery_copies.h"
#include "save_temporaries.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

#include <grp.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

// The test executable is linked with --wrap=fsync: every fsync of the file
// functions comes here, and fails once when a test asks.
// syncsBeforeFailure lets that many pass first.
namespace {
bool failNextSync = false;
int syncsBeforeFailure = 0;
}
extern "C" int __real_fsync(int fd);
extern "C" int __wrap_fsync(int fd) {
    if (!failNextSync || syncsBeforeFailure-- > 0) return __real_fsync(fd);
    failNextSync = false;
    errno = EIO;
    return -1;
}

namespace {

namespace fs = std::filesystem;

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

TEST(SaveFileSafely, FailedSyncLeavesThePreviousFileAndNoTemporary) {
    TemporaryFolder folder;
    const std::string path = folder.Path("xor.ren");
    WriteBytes(path, "viejo");
    failNextSync = true;
    EXPECT_EQ(MessageOf([&] { SaveFileSafely(path, "nuevo"); }), "Cannot create file " + path);
    EXPECT_FALSE(failNextSync);
    EXPECT_EQ(ReadBytes(path), "viejo");
    EXPECT_EQ(EntriesInFolder(folder), 1);
}

// The child mounts a file system with room for its root folder and one
// file, in a mount table of its own that ends with it. Out of inodes, the
// temporary file cannot be made, and the old file must not be overwritten
// in its place, which would run out of space halfway.
TEST(SaveFileSafely, NoInodeLeftLeavesThePreviousFileByteForByte) {
    TemporaryFolder folder;
    const std::string path = folder.Path("xor.rna");
    const std::string previous(30000, '5');
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        if (::unshare(CLONE_NEWNS) != 0 || ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
            ::mount("perceptlab", folder.Folder().c_str(), "tmpfs", 0, "size=64k,nr_inodes=2") != 0) {
            std::_Exit(77);
        }
        WriteBytes(path, previous);
        const std::string message = MessageOf([&] { SaveFileSafely(path, std::string(100000, '7')); });
        EndWith(message + (ReadBytes(path) == previous ? "|kept" : "|lost"), "Cannot create file " + path + "|kept");
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    if (WEXITSTATUS(status) == 77) GTEST_SKIP() << "this process may not mount a file system";
    EXPECT_EQ(WEXITSTATUS(status), 0);
}

// A pipe, or a device reached through a link, stays what it was.
TEST(SaveFileSafely, RefusesATargetThatIsNoRegularFile) {
    TemporaryFolder folder;
    const std::string pipe = folder.Path("tuberia.rna");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    std::vector<std::string> targets{pipe};
    const std::string device = folder.Path("nulo");
    const dev_t nullDevice = ::makedev(1, 3);
    const bool haveDevice = ::mknod(device.c_str(), S_IFCHR | 0666, nullDevice) == 0;  // root only
    if (haveDevice) {
        targets.push_back(folder.Path("enlace.rna"));
        fs::create_symlink(device, targets.back());
    }
    for (const std::string& target : targets) {
        EXPECT_EQ(MessageOf([&] { SaveFileSafely(target, "nuevo"); }), "Cannot create file " + target);
    }
    EXPECT_TRUE(fs::is_fifo(pipe));
    struct stat data {};
    if (haveDevice) {
        ASSERT_EQ(::stat(device.c_str(), &data), 0);
        EXPECT_TRUE(S_ISCHR(data.st_mode));
        EXPECT_EQ(data.st_rdev, nullDevice);
    }
    EXPECT_EQ(EntriesInFolder(folder), haveDevice ? 3 : 1);
}

// Only files named as a save names its temporary file for this target, and
// older than a minute, are removed.
TEST(SaveFileSafely, RemovesOldTemporaryFilesOfTheSameTargetOnly) {
    TemporaryFolder folder;
    const std::string path = folder.Path("xor.rna");
    const std::vector<std::string> leftovers{".xor.rna.k3j9z1", ".xor.rna.000000"};
    const std::vector<std::string> others{".xor.rna.k3j9z",   ".xor.rna.k3j9z12", ".xor.rna.K3J9Z1",
                                          ".xor.rna.k3j9z1.txt", ".otra.rna.k3j9z1", "xor.rna.k3j9z1",
                                          ".xor.rna.aaaaaa"};
    const auto old = fs::file_time_type::clock::now() - std::chrono::minutes(2);
    for (const auto& group : {leftovers, others}) {
        for (const std::string& name : group) {
            WriteBytes(folder.Path(name), "x");
            fs::last_write_time(folder.Path(name), old);
        }
    }
    fs::remove(folder.Path(others.back()));
    fs::create_directory(folder.Path(others.back()));  // named so, but a folder
    const std::string recent = ".xor.rna.recent";
    WriteBytes(folder.Path(recent), "x");  // a save that may still be running
    SaveFileSafely(path, "nuevo");
    for (const std::string& name : leftovers) EXPECT_FALSE(fs::exists(folder.Path(name))) << name;
    for (const std::string& name : others) EXPECT_TRUE(fs::exists(folder.Path(name))) << name;
    EXPECT_TRUE(fs::exists(folder.Path(recent)));
    EXPECT_EQ(ReadBytes(path), "nuevo");
}

// A temporary's name is at most 8 characters longer than the target's, and
// is taken within the folder: a target whose path has the longest length a
// path may have still saves.
TEST(SaveFileSafely, LongestPathStillSaves) {
    TemporaryFolder folder;
    fs::path deep = folder.Folder();
    while (deep.string().size() < 3800) {
        deep /= std::string(200, 'd');
        fs::create_directory(deep);
    }
    const std::string path = (deep / std::string(4095 - deep.string().size() - 1, 'n')).string();
    ASSERT_EQ(path.size(), 4095u);
    for (const std::size_t length : {std::size_t{1}, std::size_t{100}, path.size() - deep.string().size() - 1}) {
        const fs::path target = deep / std::string(length, 'n');
        EXPECT_LE(TemporaryName(target, 0).size(), length + 8);
    }
    EXPECT_LE(TemporaryName(deep / std::string(255, 'n'), 0).size(), 255u);
    SaveFileSafely(path, "nuevo");
    SaveFileSafely(path, "otra vez");
    EXPECT_EQ(ReadBytes(path), "otra vez");
    EXPECT_EQ(std::distance(fs::directory_iterator(deep), fs::directory_iterator()), 1);
}

// A look through the folder is skipped only while no leftover can be old
// enough to remove: the second a file's time may lag the clock included.
TEST(LeftoverSchedule, LooksAgainOnceALeftoverCouldBeAMinuteOld) {
    LeftoverSchedule schedule;
    EXPECT_TRUE(schedule.Due("xor.rna", 1000));
    schedule.Looked("xor.rna", 1000, 1000);
    EXPECT_FALSE(schedule.Due("xor.rna", 1059));
    EXPECT_TRUE(schedule.Due("xor.rna", 1060));
    EXPECT_TRUE(schedule.Due("otra.rna", 1001));
    EXPECT_TRUE(schedule.Due("xor.rna", 999)) << "the clock set back";
    schedule.Looked("xor.rna", 1000, 970);  // one leftover kept, 30 s old
    EXPECT_FALSE(schedule.Due("xor.rna", 1030));
    EXPECT_TRUE(schedule.Due("xor.rna", 1031));
}

TEST(SaveFileSafely, ReportsAFileThatCannotBeCreated) {
    TemporaryFolder folder;
    const std::string missingFolder = folder.Path("no/existe/xor.rna");
    EXPECT_EQ(MessageOf([&] { SaveFileSafely(missingFolder, "1"); }), "Cannot create file " + missingFolder);
    const std::string aFolder = folder.Path("sub");
    fs::create_directory(aFolder);
    EXPECT_EQ(MessageOf([&] { SaveFileSafely(aFolder, "1"); }), "Cannot create file " + aFolder);
    EXPECT_TRUE(fs::is_directory(aFolder));
    EXPECT_EQ(MessageOf([&] { SaveFileSafely("", "1"); }), "Cannot create file ");
}

TEST(SaveFileSafely, KeepsPermissionsOwnerAndSymbolicLinks) {
    TemporaryFolder folder;
    const std::string real = folder.Path("real.rna");
    const std::string symlinkPath = folder.Path("enlace.rna");
    WriteBytes(real, "viejo");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    const bool root = ::geteuid() == 0;  // only root may give a file to another user
    if (root) {
        ASSERT_EQ(::chown(real.c_str(), 65534, 65534), 0);
    }
    fs::create_symlink(real, symlinkPath);
    SaveFileSafely(symlinkPath, "nuevo");
    EXPECT_TRUE(fs::is_symlink(symlinkPath));
    EXPECT_EQ(ReadBytes(real), "nuevo");
    EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    struct stat data {};
    ASSERT_EQ(::stat(real.c_str(), &data), 0);
    EXPECT_EQ(data.st_uid, root ? 65534u : ::geteuid());
    EXPECT_EQ(data.st_gid, root ? 65534u : ::getegid());
}

TEST(SaveFileSafely, DanglingLinkGetsItsFileAndStaysALink) {
    TemporaryFolder folder;
    const std::string symlinkPath = folder.Path("enlace.rna");
    fs::create_symlink("falta.rna", symlinkPath);
    SaveFileSafely(symlinkPath, "nuevo");
    EXPECT_TRUE(fs::is_symlink(symlinkPath));
    EXPECT_EQ(ReadBytes(folder.Path("falta.rna")), "nuevo");
    const std::string loop = folder.Path("bucle.rna");
    fs::create_symlink("bucle.rna", loop);
    EXPECT_EQ(MessageOf([&] { SaveFileSafely(loop, "1"); }), "Cannot create file " + loop);
}

// In place, a copy of the old file waits in the recovery folder until the
// new content is synced: a write or a sync that fails leaves the copy and
// names it; a save that succeeds removes it.
TEST(SaveFileSafely, WritesInPlaceWhenTheFolderTakesNoNewFileKeepingACopyUntilDone) {
    enum class Fault { None, Write, Sync };
    for (const Fault fault : {Fault::None, Fault::Write, Fault::Sync}) {
        TemporaryFolder folder;
        fs::permissions(folder.Folder(), fs::perms::others_exec, fs::perm_options::add);
        const std::string closed = folder.Path("cerrada");
        fs::create_directory(closed);
        const std::string path = closed + "/xor.rna";
        const std::string previous = "viejo y largo";
        WriteBytes(path, previous);
        fs::permissions(path, fs::perms::others_write, fs::perm_options::add);
        fs::permissions(closed, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_exec);
        const std::string cache = folder.Path("cache");
        fs::create_directory(cache);
        fs::permissions(cache, fs::perms::all);
        SetRecoveryFolder(cache + "/perceptlab");
        EXPECT_EXIT(
            {
                // Root may create files anywhere: the save runs as a user who may not.
                if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) std::_Exit(2);
                failNextSync = fault == Fault::Sync;
                syncsBeforeFailure = 1;  // the copy's own sync passes
                std::optional<SizeLimit> limit;
                if (fault == Fault::Write) limit.emplace(previous.size() + 1);  // room for the copy alone
                const std::string message = MessageOf([&] { SaveFileSafely(path, std::string(100, '7')); });
                limit.reset();
                const std::vector<std::string> copies = RecoveryCopies();
                const std::string count = IntegerText(static_cast<std::int64_t>(copies.size()));
                if (fault == Fault::None) EndWith(message + "|" + count, "(no error)|0");
                if (copies.size() != 1) EndWith("copies: " + count, "copies: 1");
                EndWith(message + "|" + ReadBytes(copies[0]), "Cannot create file " + path +
                                                                  ". La copia del fichero anterior está en " +
                                                                  copies[0] + "|" + previous);
            },
            ::testing::ExitedWithCode(0), "");
        SetRecoveryFolder("");
        fs::permissions(closed, fs::perms::owner_all);
        if (fault == Fault::None) {
            EXPECT_EQ(ReadBytes(path), std::string(100, '7'));
        }
        EXPECT_EQ(std::distance(fs::directory_iterator(closed), fs::directory_iterator()), 1);
    }
}

// Root may write any file, so the save runs in a child that, under root,
// first becomes the unprivileged user "nobody". The folder and the file are
// that user's, so the folder takes the new file and only the file's own
// permission can refuse the save.
TEST(SaveFileSafely, RefusesAFileTheUserMayNotWrite) {
    constexpr uid_t kNobody = 65534;
    TemporaryFolder folder;
    const std::string path = folder.Path("protegido.rna");
    WriteBytes(path, "viejo");
    fs::permissions(path, fs::perms::owner_read);
    fs::permissions(folder.Folder(), fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    if (::geteuid() == 0) {
        ASSERT_EQ(::chown(folder.Folder().c_str(), kNobody, kNobody), 0);
        ASSERT_EQ(::chown(path.c_str(), kNobody, kNobody), 0);
    }
    EXPECT_EXIT(
        {
            if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0))
                std::_Exit(2);
            EndWith(MessageOf([&] { SaveFileSafely(path, "nuevo"); }), "Cannot create file " + path);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadBytes(path), "viejo");
    EXPECT_EQ(EntriesInFolder(folder), 1);
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
    EXPECT_EQ(MessageOf([&] { FileForReading other(folder.Path("no.rna")); }), "Cannot open file " + folder.Path("no.rna"));
    EXPECT_EQ(MessageOf([&] { FileForReading other(folder.Folder().string()); }),
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
    const std::string newlines(8 << 20, '\n');  // 8 million empty lines, far more as a list of lines
    const std::string emptyLines = folder.Path("vacias.rna");
    WriteBytes(emptyLines, newlines);
    const std::string withTail = folder.Path("con_cola.rna");
    WriteBytes(withTail, "1\r\n1\r\n1\r\n0\r\n0\r\n1\r\n0,5\r\n2\r\n" + newlines);
    const std::string expected = "Cannot open file " + pipe + "|Cannot open file " + zero + "|Cannot open file " +
                                 folder.Path("xor.rna") + "|'' is not a valid integer value|0.5";
    EXPECT_EXIT(
        {
            ::alarm(60);  // ends the child should an open wait for a writer
            LimitMemory();
            EndWith(MessageOf([&] { ReadRna(pipe); }) + "|" + MessageOf([&] { ReadRna(zero); }) + "|" +
                            MessageOf([&] { ReadRen(ren); }) + "|" + MessageOf([&] { ReadRna(emptyLines); }) + "|" +
                            RealText(ReadRna(withTail).Patterns->Entradas.at(0), '.'),
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
