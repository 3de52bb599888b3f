#include "file_access.h"

#include "numero_texto.h"
#include "program_error.h"

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// Closes the descriptor when the scope ends, however it ends.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() {
        if (fd_ >= 0) ::close(fd_);
    }
    int get() const { return fd_; }
    // Closes now, reporting whether the data reached the file.
    bool Close() {
        int fd = fd_;
        fd_ = -1;
        return ::close(fd) == 0;
    }

private:
    int fd_;
};

bool WriteAll(int fd, std::string_view contenido) {
    while (!contenido.empty()) {
        ssize_t escritos = ::write(fd, contenido.data(), contenido.size());
        if (escritos < 0 && errno == EINTR) continue;
        if (escritos <= 0) return false;
        contenido.remove_prefix(static_cast<std::size_t>(escritos));
    }
    return true;
}

// A name no other file in the folder has, made exclusive by O_EXCL.
std::string TemporaryName(const fs::path& destino, int intento) {
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

// The file a save writes: symbolic links followed, whether or not the file
// they end at exists. Empty for a loop of links.
std::optional<fs::path> FollowLinks(fs::path ruta) {
    for (int saltos = 0; saltos < 40; ++saltos) {
        struct stat datos {};
        if (::lstat(ruta.c_str(), &datos) != 0 || !S_ISLNK(datos.st_mode)) return ruta;
        std::error_code error;
        const fs::path nombrado = fs::read_symlink(ruta, error);
        if (error) return std::nullopt;
        ruta = ruta.parent_path() / nombrado;  // an absolute name replaces the folder
    }
    return std::nullopt;
}

// Gives the new file the replaced file's owner and group where the process
// may: root sets both, an owner who belongs to the group sets the group.
// Whether both were kept; the save goes on either way.
bool KeepOwner(int fd, const struct stat& anterior) {
    if (anterior.st_uid == ::geteuid() && anterior.st_gid == ::getegid()) return true;
    if (::fchown(fd, anterior.st_uid, anterior.st_gid) == 0) return true;
    return ::fchown(fd, static_cast<uid_t>(-1), anterior.st_gid) == 0 && anterior.st_uid == ::geteuid();
}

bool WriteInPlace(const fs::path& destino, std::string_view contenido) {
    FileDescriptor fd(::open(destino.c_str(), O_WRONLY | O_TRUNC | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) return false;
    const bool escrito = WriteAll(fd.get(), contenido) && ::fsync(fd.get()) == 0;
    return fd.Close() && escrito;
}

}  // namespace

FileForReading::FileForReading(const std::string& ruta) : path_(ruta) {
    // O_NONBLOCK: opening a pipe with no writer would wait for one.
    fd_ = ::open(ruta.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    struct stat datos {};
    if (fd_ >= 0 && ::fstat(fd_, &datos) == 0 && S_ISREG(datos.st_mode) &&
        ::fcntl(fd_, F_SETFL, ::fcntl(fd_, F_GETFL) & ~O_NONBLOCK) == 0) {
        return;
    }
    if (fd_ >= 0) ::close(fd_);
    throw ProgramError("Cannot open file " + path_);
}

FileForReading::~FileForReading() { ::close(fd_); }

ByteSource FileForReading::Source() {
    return [this](char* destino, std::size_t capacidad) { return Read(destino, capacidad); };
}

std::size_t FileForReading::Read(char* destino, std::size_t capacidad) {
    for (;;) {
        ssize_t leidos = ::read(fd_, destino, capacidad);
        if (leidos >= 0) return static_cast<std::size_t>(leidos);
        if (errno != EINTR) throw ProgramError("Cannot open file " + path_);
    }
}

bool FileExists(const std::string& ruta) {
    std::error_code error;
    auto estado = fs::status(ruta, error);
    return !error && fs::exists(estado) && !fs::is_directory(estado);
}

void SaveFileSafely(const std::string& ruta, std::string_view contenido) {
    const ProgramError error("Cannot create file " + ruta);
    if (ruta.empty()) throw error;
    const std::optional<fs::path> seguido = FollowLinks(ruta);
    if (!seguido || !seguido->has_filename()) throw error;
    const fs::path& destino = *seguido;
    struct stat anterior {};
    const bool existe = ::stat(destino.c_str(), &anterior) == 0;
    // Renaming would replace a file the user may not write; overwriting it in
    // place would have been refused, so the save is.
    if (existe && ::access(destino.c_str(), W_OK) != 0) throw error;

    std::string temporal;
    int fd = -1;
    for (int intento = 0; fd < 0 && intento < 100; ++intento) {
        temporal = TemporaryName(destino, intento);
        fd = ::open(temporal.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) break;
    }
    if (fd < 0) {
        if (existe && S_ISREG(anterior.st_mode) && WriteInPlace(destino, contenido)) return;
        throw error;
    }
    FileDescriptor descriptor(fd);

    bool correcto = true;
    if (existe) {
        KeepOwner(fd, anterior);
        // After the owner: changing it clears the set-user-ID and set-group-ID bits.
        correcto = ::fchmod(fd, anterior.st_mode & 07777) == 0;
    }
    correcto = correcto && WriteAll(fd, contenido) && ::fsync(fd) == 0;
    correcto = descriptor.Close() && correcto;
    correcto = correcto && ::rename(temporal.c_str(), destino.c_str()) == 0;
    if (!correcto) {
        ::unlink(temporal.c_str());
        throw error;
    }
}

void SaveLines(const std::string& ruta, const std::vector<std::string>& lineas) {
    SaveFileSafely(ruta, JoinLines(lineas));
}
