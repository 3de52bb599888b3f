#include "acceso_fichero.h"

#include "ayudas_ficheros.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <string>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

int EntradasEnCarpeta(const CarpetaTemporal& carpeta) {
    int n = 0;
    for ([[maybe_unused]] const auto& entrada : fs::directory_iterator(carpeta.Carpeta())) ++n;
    return n;
}

// Lowers the largest file this process may write for the scope's life, so
// that a write fails midway; the signal that would end the process is ignored.
class LimiteTamano {
public:
    explicit LimiteTamano(rlim_t bytes) {
        anteriorSenal_ = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &anterior_);
        rlimit limite = anterior_;
        limite.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limite);
    }
    ~LimiteTamano() {
        ::setrlimit(RLIMIT_FSIZE, &anterior_);
        std::signal(SIGXFSZ, anteriorSenal_);
    }

private:
    rlimit anterior_{};
    void (*anteriorSenal_)(int);
};

TEST(GuardarLineas, WritesCrLfAfterEveryLineAndReplacesTheFile) {
    CarpetaTemporal carpeta;
    const std::string ruta = carpeta.Ruta("xor.rna");
    EscribirBytes(ruta, std::string(1000, 'z'));
    GuardarLineas(ruta, {"2", "0,5"});
    EXPECT_EQ(LeerBytes(ruta), "2\r\n0,5\r\n");
    EXPECT_EQ(EntradasEnCarpeta(carpeta), 1);
}

TEST(GuardarFicheroSeguro, FailedWriteLeavesThePreviousFileByteForByte) {
    CarpetaTemporal carpeta;
    const std::string ruta = carpeta.Ruta("xor.ren");
    const std::string anterior = "1\r\n1\r\n1\r\n0\r\n0\r\n0,25\r\n";
    EscribirBytes(ruta, anterior);
    {
        LimiteTamano limite(4096);
        EXPECT_EQ(MensajeDe([&] { GuardarFicheroSeguro(ruta, std::string(100000, '7')); }), "Cannot create file " + ruta);
    }
    EXPECT_EQ(LeerBytes(ruta), anterior);
    EXPECT_EQ(EntradasEnCarpeta(carpeta), 1);  // no temporary file left behind
}

TEST(GuardarFicheroSeguro, ReportsAFileThatCannotBeCreated) {
    CarpetaTemporal carpeta;
    const std::string sinCarpeta = carpeta.Ruta("no/existe/xor.rna");
    EXPECT_EQ(MensajeDe([&] { GuardarFicheroSeguro(sinCarpeta, "1"); }), "Cannot create file " + sinCarpeta);
    const std::string esCarpeta = carpeta.Ruta("sub");
    fs::create_directory(esCarpeta);
    EXPECT_EQ(MensajeDe([&] { GuardarFicheroSeguro(esCarpeta, "1"); }), "Cannot create file " + esCarpeta);
    EXPECT_TRUE(fs::is_directory(esCarpeta));
    EXPECT_EQ(MensajeDe([&] { GuardarFicheroSeguro("", "1"); }), "Cannot create file ");
}

TEST(GuardarFicheroSeguro, KeepsPermissionsAndSymbolicLinks) {
    CarpetaTemporal carpeta;
    const std::string real = carpeta.Ruta("real.rna");
    const std::string enlace = carpeta.Ruta("enlace.rna");
    EscribirBytes(real, "viejo");
    fs::permissions(real, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink(real, enlace);
    GuardarFicheroSeguro(enlace, "nuevo");
    EXPECT_TRUE(fs::is_symlink(enlace));
    EXPECT_EQ(LeerBytes(real), "nuevo");
    EXPECT_EQ(fs::status(real).permissions(), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(GuardarFicheroSeguro, RefusesAFileTheUserMayNotWrite) {
    if (::geteuid() == 0) GTEST_SKIP() << "root may write any file";
    CarpetaTemporal carpeta;
    const std::string ruta = carpeta.Ruta("protegido.rna");
    EscribirBytes(ruta, "viejo");
    fs::permissions(ruta, fs::perms::owner_read);
    EXPECT_EQ(MensajeDe([&] { GuardarFicheroSeguro(ruta, "nuevo"); }), "Cannot create file " + ruta);
    EXPECT_EQ(LeerBytes(ruta), "viejo");
}

TEST(GuardarFicheroSeguro, LongNamesStillSave) {
    CarpetaTemporal carpeta;
    const std::string ruta = carpeta.Ruta(std::string(240, 'n') + ".rna");
    GuardarFicheroSeguro(ruta, "1\r\n");
    EXPECT_EQ(LeerBytes(ruta), "1\r\n");
}

TEST(LeerFicheroEntero, ReadsEveryByteOrReportsTheFile) {
    CarpetaTemporal carpeta;
    const std::string ruta = carpeta.Ruta("datos.rna");
    const std::string bytes("1\r\n\0\xff\r", 6);
    EscribirBytes(ruta, bytes);
    EXPECT_EQ(LeerFicheroEntero(ruta), bytes);
    EXPECT_EQ(MensajeDe([&] { LeerFicheroEntero(carpeta.Ruta("no.rna")); }), "Cannot open file " + carpeta.Ruta("no.rna"));
    EXPECT_EQ(MensajeDe([&] { LeerFicheroEntero(carpeta.Carpeta().string()); }),
              "Cannot open file " + carpeta.Carpeta().string());
}

TEST(ExisteFichero, OnlyForFiles) {
    CarpetaTemporal carpeta;
    EscribirBytes(carpeta.Ruta("a.rna"), "");
    EXPECT_TRUE(ExisteFichero(carpeta.Ruta("a.rna")));
    EXPECT_FALSE(ExisteFichero(carpeta.Ruta("b.rna")));
    EXPECT_FALSE(ExisteFichero(carpeta.Carpeta().string()));
}

}  // namespace
