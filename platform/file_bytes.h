#pragma once
// Whole files read into memory, with a size limit checked before anything is read. Only
// regular files are read: a device or a pipe named like a game file could block or never
// end.
#include <sys/stat.h>

#include <cstdio>
#include <new>
#include <string>

enum class FileRead { Ok, NotAFile, TooLarge, Failed };

// `Bytes` is a container of bytes with resize() and data() (std::string, a vector of
// bytes). `out` is empty unless the result is Ok.
template <class Bytes>
FileRead readFileBytes(const std::string& path, size_t maxBytes, Bytes& out) {
    out.clear();
    struct stat info;
    if (::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return FileRead::NotAFile;
    if (static_cast<unsigned long long>(info.st_size) > maxBytes) return FileRead::TooLarge;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return FileRead::Failed;
    bool ok = false;
    try {
        out.resize(static_cast<size_t>(info.st_size));
        ok = std::fread(out.data(), 1, out.size(), file) == out.size() &&
             std::fgetc(file) == EOF;  // a file that grew since is not taken half read
    } catch (const std::bad_alloc&) {
        ok = false;
    }
    std::fclose(file);
    if (!ok) out.clear();
    return ok ? FileRead::Ok : FileRead::Failed;
}
