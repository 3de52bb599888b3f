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
constexpr bool kDireccionesReservadas = true;  // the sanitizer reserves terabytes of address space
#else
constexpr bool kDireccionesReservadas = false;
#endif

// Lets this process use at most 64 MB more address space than it uses now:
// a read that held a file's useless lines would run out.
void LimitMemory() {
    if (kDireccionesReservadas) return;
    std::ifstream statm("/proc/self/statm");
    rlim_t paginas = 0;
    statm >> paginas;
    rlimit limite{};
    limite.rlim_cur = limite.rlim_max = paginas * static_cast<rlim_t>(::sysconf(_SC_PAGESIZE)) + (rlim_t{64} << 20);
    ::setrlimit(RLIMIT_AS, &limite);
}

// Ends a child process of a test: successfully when `obtenido` is `esperado`.
[[noreturn]] void EndWith(const std::string& obtenido, const std::string& esperado) {
    if (obtenido != esperado) std::fprintf(stderr, "got: %.400s\n", obtenido.c_str());
    std::_Exit(obtenido == esperado ? 0 : 1);
}

int EntriesInFolder(const TemporaryFolder& carpeta) {
    int n = 0;
    for ([[maybe_unused]] const auto& entrada : fs::directory_iterator(carpeta.Folder())) ++n;
    return n;
}

// Lowers the largest file this process may write for the scope's life, so
// that a write fails midway; the signal that would end the process is ignored.
class SizeLimit {
public:
    explicit SizeLimit(rlim_t bytes) {
        previousSignal_ = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &previous_);
        rlimit limite = previous_;
        limite.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limite);
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
    TemporaryFolder carpeta;
    const std::string ruta = carpeta.Path("xor.rna");
    WriteBytes(ruta, std::string(1000, 'z'));
    SaveLines(ruta, {"2", "0,5"});
    EXPECT_EQ(ReadBytes(ruta), "2\r\n0,5\r\n");
    EXPECT_EQ(EntriesInFolder(carpeta), 1);
}

TEST(SaveFileSafely, FailedWriteLeavesThePreviousFileByteForByte) {
    TemporaryFolder carpeta;
    const std::string ruta = carpeta.Path("xor.ren");
    const std::string anterior = "1\r\n1\r\n1\r\n0\r\n0\r\n0,25\r\n";
    WriteBytes(ruta, anterior);
    {
        SizeLimit limite(4096);
        EXPECT_EQ(MessageOf([&] { SaveFileSafely(ruta, std::string(100000, '7')); }), "Cannot create file " + ruta);
    }
    EXPECT_EQ(ReadBytes(ruta), anterior);
    EXPECT_EQ(EntriesInFolder(carpeta), 1);  // no temporary file left behind
}

TEST(SaveFileSafely, ReportsAFileThatCannotBeCreated) {
    TemporaryFolder carpeta;
    const std::string sinCarpeta = carpeta.Path("no/existe/xor.rna");
    EXPECT_EQ(MessageOf([&] { SaveFileSafely(sinCarpeta, "1"); }), "Cannot create file " + sinCarpeta);
    const std::string esCarpeta = carpeta.Path("sub");
    fs::create_directory(esCarpeta);
    EXPECT_EQ(MessageOf([&] { SaveFileSafely(esCarpeta, "1"); }), "Cannot create file " + esCarpeta);
    EXPECT_TRUE(fs::is_directory(esCarpeta));
    EXPECT_EQ(MessageOf([&] { SaveFileSafely("", "1"); }), "Cannot create file ");
}

TEST(SaveFileSafely, KeepsPermissionsOwnerAndSymbolicLinks) {
    TemporaryFolder carpeta;
    const std::string real = carpeta.Path("real.rna");
    const std::string enlace = carpeta.Path("enlace.rna");
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
    struct stat datos {};
    ASSERT_EQ(::stat(real.c_str(), &datos), 0);
    EXPECT_EQ(datos.st_uid, root ? 65534u : ::geteuid());
    EXPECT_EQ(datos.st_gid, root ? 65534u : ::getegid());
}

TEST(SaveFileSafely, DanglingLinkGetsItsFileAndStaysALink) {
    TemporaryFolder carpeta;
    const std::string enlace = carpeta.Path("enlace.rna");
    fs::create_symlink("falta.rna", enlace);
    SaveFileSafely(enlace, "nuevo");
    EXPECT_TRUE(fs::is_symlink(enlace));
    EXPECT_EQ(ReadBytes(carpeta.Path("falta.rna")), "nuevo");
    const std::string bucle = carpeta.Path("bucle.rna");
    fs::create_symlink("bucle.rna", bucle);
    EXPECT_EQ(MessageOf([&] { SaveFileSafely(bucle, "1"); }), "Cannot create file " + bucle);
}

TEST(SaveFileSafely, WritesInPlaceWhenTheFolderTakesNoNewFile) {
    TemporaryFolder carpeta;
    fs::permissions(carpeta.Folder(), fs::perms::others_exec, fs::perm_options::add);
    const std::string cerrada = carpeta.Path("cerrada");
    fs::create_directory(cerrada);
    const std::string ruta = cerrada + "/xor.rna";
    WriteBytes(ruta, "viejo y largo");
    fs::permissions(ruta, fs::perms::others_write, fs::perm_options::add);
    fs::permissions(cerrada, fs::perms::owner_read | fs::perms::owner_exec | fs::perms::others_exec);
    EXPECT_EXIT(
        {
            // Root may create files anywhere: the save runs as a user who may not.
            if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) std::_Exit(2);
            EndWith(MessageOf([&] { SaveFileSafely(ruta, "nuevo"); }), "(no error)");
        },
        ::testing::ExitedWithCode(0), "");
    fs::permissions(cerrada, fs::perms::owner_all);
    EXPECT_EQ(ReadBytes(ruta), "nuevo");
    EXPECT_EQ(std::distance(fs::directory_iterator(cerrada), fs::directory_iterator()), 1);
}

// Root may write any file, so the save runs in a child that, under root,
// first becomes the unprivileged user "nobody".
TEST(SaveFileSafely, RefusesAFileTheUserMayNotWrite) {
    TemporaryFolder carpeta;
    const std::string ruta = carpeta.Path("protegido.rna");
    WriteBytes(ruta, "viejo");
    fs::permissions(ruta, fs::perms::owner_read);
    fs::permissions(carpeta.Folder(), fs::perms::owner_all | fs::perms::group_exec | fs::perms::others_exec);
    EXPECT_EXIT(
        {
            constexpr uid_t kNadie = 65534;
            if (::geteuid() == 0 && (::setgroups(0, nullptr) != 0 || ::setgid(kNadie) != 0 || ::setuid(kNadie) != 0))
                std::_Exit(2);
            EndWith(MessageOf([&] { SaveFileSafely(ruta, "nuevo"); }), "Cannot create file " + ruta);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_EQ(ReadBytes(ruta), "viejo");
}

TEST(SaveFileSafely, LongNamesStillSave) {
    TemporaryFolder carpeta;
    const std::string ruta = carpeta.Path(std::string(240, 'n') + ".rna");
    SaveFileSafely(ruta, "1\r\n");
    EXPECT_EQ(ReadBytes(ruta), "1\r\n");
}

TEST(FileForReading, ReadsEveryByteOrReportsTheFile) {
    TemporaryFolder carpeta;
    const std::string ruta = carpeta.Path("datos.rna");
    const std::string bytes("1\r\n\0\xff\r", 6);
    WriteBytes(ruta, bytes);
    FileForReading fichero(ruta);
    std::string leido(100, ' ');
    leido.resize(fichero.Source()(leido.data(), leido.size()));
    EXPECT_EQ(leido, bytes);
    EXPECT_EQ(MessageOf([&] { FileForReading otro(carpeta.Path("no.rna")); }), "Cannot open file " + carpeta.Path("no.rna"));
    EXPECT_EQ(MessageOf([&] { FileForReading otro(carpeta.Folder().string()); }),
              "Cannot open file " + carpeta.Folder().string());
}

// Each load returns at once and within 64 MB: a pipe (as the file or as the
// companion) or a device is refused, and a file is read no further than the
// lines it needs, however many follow.
TEST(ReadRna, AnyFileLoadsAtOnceWithinBoundedMemory) {
    TemporaryFolder carpeta;
    const std::string tuberia = carpeta.Path("tuberia.rna");
    ASSERT_EQ(::mkfifo(tuberia.c_str(), 0600), 0);
    const std::string cero = carpeta.Path("cero.rna");
    fs::create_symlink("/dev/zero", cero);
    const std::string ren = carpeta.Path("xor.ren");
    WriteBytes(ren, "1\r\n1\r\n1\r\n0\r\n0\r\n1\r\n2\r\n3\r\n4\r\n");
    ASSERT_EQ(::mkfifo(carpeta.Path("xor.rna").c_str(), 0600), 0);
    const std::string saltos(8 << 20, '\n');  // 8 million empty lines, far more as a list of lines
    const std::string vacias = carpeta.Path("vacias.rna");
    WriteBytes(vacias, saltos);
    const std::string conCola = carpeta.Path("con_cola.rna");
    WriteBytes(conCola, "1\r\n1\r\n1\r\n0\r\n0\r\n1\r\n0,5\r\n2\r\n" + saltos);
    const std::string esperado = "Cannot open file " + tuberia + "|Cannot open file " + cero + "|Cannot open file " +
                                 carpeta.Path("xor.rna") + "|'' is not a valid integer value|0.5";
    EXPECT_EXIT(
        {
            ::alarm(60);  // ends the child should an open wait for a writer
            LimitMemory();
            EndWith(MessageOf([&] { ReadRna(tuberia); }) + "|" + MessageOf([&] { ReadRna(cero); }) + "|" +
                            MessageOf([&] { ReadRen(ren); }) + "|" + MessageOf([&] { ReadRna(vacias); }) + "|" +
                            RealText(ReadRna(conCola).Patterns->Entradas.at(0), '.'),
                        esperado);
        },
        ::testing::ExitedWithCode(0), "");
}

TEST(FileExists, OnlyForFiles) {
    TemporaryFolder carpeta;
    WriteBytes(carpeta.Path("a.rna"), "");
    EXPECT_TRUE(FileExists(carpeta.Path("a.rna")));
    EXPECT_FALSE(FileExists(carpeta.Path("b.rna")));
    EXPECT_FALSE(FileExists(carpeta.Folder().string()));
}

}  // namespace
