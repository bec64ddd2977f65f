#pragma once
// Whole files read into memory, with a size limit checked before anything is read. Only
// regular files are read: a device or a pipe named like a game file could block or never
// end. Opening never waits: the file is opened non-blocking and its kind is checked on
// the open descriptor, so a pipe put in place between a check and the open is refused
// too.
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <new>
#include <string>

enum class FileRead { Ok, NotAFile, TooLarge, Failed };

enum class FileKind { Missing, Regular, Other };

// What a status query says is at `path`; it never opens the file.
inline FileKind fileKind(const std::string& path) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) return FileKind::Missing;
    return S_ISREG(info.st_mode) ? FileKind::Regular : FileKind::Other;
}

// A descriptor for reading the regular file at `path` (in blocking mode), or -1. `size`
// receives the file's size. A pipe, device or folder is not even opened when the status
// query shows it, and is closed again when it turned up only at the open.
inline int openRegularFile(const std::string& path, FileRead& why, size_t* size = nullptr) {
    why = FileRead::NotAFile;
    if (fileKind(path) != FileKind::Regular) return -1;
    int fd;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    } while (fd < 0 && errno == EINTR);
    if (fd < 0) {
        why = errno == ENOENT ? FileRead::NotAFile : FileRead::Failed;
        return -1;
    }
    struct stat info;
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return -1;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0) {
        ::close(fd);
        why = FileRead::Failed;
        return -1;
    }
    if (size) *size = static_cast<size_t>(info.st_size);
    why = FileRead::Ok;
    return fd;
}

// `Bytes` is a container of bytes with resize() and data() (std::string, a vector of
// bytes). `out` is empty unless the result is Ok.
template <class Bytes>
FileRead readFileBytes(const std::string& path, size_t maxBytes, Bytes& out) {
    out.clear();
    FileRead why = FileRead::Failed;
    size_t size = 0;
    const int fd = openRegularFile(path, why, &size);
    if (fd < 0) return why;
    if (size > maxBytes) {
        ::close(fd);
        return FileRead::TooLarge;
    }
    bool ok = false;
    try {
        out.resize(size);
        size_t done = 0;
        ok = true;
        while (ok && done < size) {
            const ssize_t n = ::read(fd, reinterpret_cast<char*>(out.data()) + done, size - done);
            if (n > 0)
                done += static_cast<size_t>(n);
            else if (!(n < 0 && errno == EINTR))
                ok = false;  // an error, or a file cut short since
        }
        char more;
        ssize_t n;
        do n = ::read(fd, &more, 1);
        while (n < 0 && errno == EINTR);
        ok = ok && n == 0;  // a file that grew since is not taken half read
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    ::close(fd);
    if (!ok) out.clear();
    return ok ? FileRead::Ok : FileRead::Failed;
}
