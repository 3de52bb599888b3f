#include "acceso_fichero.h"

#include "lineas_fichero.h"
#include "numero_texto.h"
#include "program_error.h"

#include <cerrno>
#include <chrono>
#include <filesystem>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Closes the descriptor when the scope ends, however it ends.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now, reporting whether the data reached the file.
    bool Cerrar() {
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool EscribirTodo(int fd, std::string_view contenido) {
    while (!contenido.empty()) {
        ssize_t escritos = ::write(fd, contenido.data(), contenido.size());
        if (escritos < 0 && errno == EINTR) continue;
        if (escritos <= 0) return false;
        contenido.remove_prefix(static_cast<std::size_t>(escritos));
    }
    return true;
}

// A name no other file in the folder has, made exclusive by O_EXCL.
std::string NombreTemporal(const std::filesystem::path& destino, int intento) {
    auto instante = std::chrono::steady_clock::now().time_since_epoch().count();
    std::string nombre(1, '.');
    nombre += destino.filename().string().substr(0, 100);  // room for the suffix within a name's limit
    for (std::int32_t parte : {static_cast<std::int32_t>(::getpid()), static_cast<std::int32_t>(instante & 0x7fffffff), intento}) {
        nombre += '.';
        nombre += TextoEntero(parte);
    }
    nombre += ".tmp";
    return (destino.parent_path() / nombre).string();
}

}  // namespace

std::string LeerFicheroEntero(const std::string& ruta) {
    const ProgramError error("Cannot open file " + ruta);
    Descriptor fd(::open(ruta.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.get() < 0) throw error;
    struct stat datos {};
    if (::fstat(fd.get(), &datos) != 0 || S_ISDIR(datos.st_mode)) throw error;
    std::string contenido;
    char bloque[65536];
    for (;;) {
        ssize_t leidos = ::read(fd.get(), bloque, sizeof bloque);
        if (leidos < 0 && errno == EINTR) continue;
        if (leidos < 0) throw error;
        if (leidos == 0) break;
        contenido.append(bloque, static_cast<std::size_t>(leidos));
    }
    return contenido;
}

bool ExisteFichero(const std::string& ruta) {
    std::error_code error;
    auto estado = std::filesystem::status(ruta, error);
    return !error && std::filesystem::exists(estado) && !std::filesystem::is_directory(estado);
}

void GuardarFicheroSeguro(const std::string& ruta, std::string_view contenido) {
    namespace fs = std::filesystem;
    const ProgramError error("Cannot create file " + ruta);
    if (ruta.empty()) throw error;

    fs::path destino = ruta;
    std::error_code codigo;
    if (fs::is_symlink(destino, codigo)) {
        fs::path enlazado = fs::weakly_canonical(destino, codigo);
        if (codigo) throw error;
        destino = enlazado;
    }
    if (!destino.has_filename()) throw error;
    // Renaming would replace a file the user may not write; overwriting it in
    // place would have been refused, so the save is.
    if (::access(destino.c_str(), F_OK) == 0 && ::access(destino.c_str(), W_OK) != 0) throw error;

    std::string temporal;
    int fd = -1;
    for (int intento = 0; fd < 0 && intento < 100; ++intento) {
        temporal = NombreTemporal(destino, intento);
        fd = ::open(temporal.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) throw error;
    }
    if (fd < 0) throw error;
    Descriptor descriptor(fd);

    struct stat anterior {};
    bool correcto = true;
    if (::stat(destino.c_str(), &anterior) == 0) correcto = ::fchmod(fd, anterior.st_mode & 07777) == 0;
    correcto = correcto && EscribirTodo(fd, contenido) && ::fsync(fd) == 0;
    correcto = descriptor.Cerrar() && correcto;
    correcto = correcto && ::rename(temporal.c_str(), destino.c_str()) == 0;
    if (!correcto) {
        ::unlink(temporal.c_str());
        throw error;
    }
}

void GuardarLineas(const std::string& ruta, const std::vector<std::string>& lineas) {
    GuardarFicheroSeguro(ruta, UnirLineas(lineas));
}
