#include "platform/image/file_writer.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <random>

namespace {

bool fail(std::string* error, const std::string& what, const std::string& path, int err) {
    if (error) *error = what + " " + path + ": " + std::strerror(err);
    return false;
}

// Opens a fresh file beside `path`. The mode 0666 lets the kernel apply the umask, so
// the process-wide umask never has to be read (and changed) to find it.
int createTemporary(const std::string& path, std::string& tempPath) {
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        char suffix[32];
        std::snprintf(suffix, sizeof suffix, ".%ld-%08x.tmp", static_cast<long>(::getpid()),
                      static_cast<unsigned>(random()));
        tempPath = path + suffix;
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    errno = EEXIST;
    return -1;
}

}  // namespace

bool writeAllBytes(int fd, const uint8_t* bytes, size_t size) {
    size_t done = 0;
    while (done < size) {
        const ssize_t n = ::write(fd, bytes + done, size - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            if (n == 0) errno = EIO;
            return false;
        }
        done += static_cast<size_t>(n);
    }
    return true;
}

int syncFolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    const std::string folder =
        slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return errno;
    int result = 0;
    if (::fsync(fd) != 0 && errno != EINVAL && errno != ENOTSUP && errno != EOPNOTSUPP)
        result = errno;
    ::close(fd);
    return result;
}

bool writeFileAtomically(const std::string& path, const uint8_t* bytes, size_t size,
                         std::string* error) {
    if (path.empty()) {
        if (error) *error = "Cannot write a file without a name";
        return false;
    }
    std::string tempPath;
    const int fd = createTemporary(path, tempPath);
    if (fd < 0) return fail(error, "Cannot create", path, errno);

    bool ok = true;
    int err = 0;
    struct stat old;
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode) &&
        ::fchmod(fd, old.st_mode & 07777) != 0)
        ok = false, err = errno;
    if (ok && !writeAllBytes(fd, bytes, size)) ok = false, err = errno;
    if (ok && ::fsync(fd) != 0) ok = false, err = errno;
    if (::close(fd) != 0 && ok) ok = false, err = errno;
    if (ok && std::rename(tempPath.c_str(), path.c_str()) != 0) ok = false, err = errno;
    if (!ok) {
        ::unlink(tempPath.c_str());
        return fail(error, "Cannot write", path, err);
    }
    if (const int syncError = syncFolderOf(path))
        return fail(error, "Cannot write", path, syncError);
    return true;
}
