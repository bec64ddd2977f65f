#pragma once
// Replaces a file in one step: the bytes go to a temporary file in the same folder,
// which is synced and renamed over the target only once it is complete, so a failed
// write or a crash never leaves a partial file or clobbers the old one. A replaced
// file keeps its permissions; a new one gets 0666 less the umask.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// False when anything failed; `error`, when given, then says what ("Cannot write
// <path>: <reason>").
bool writeFileAtomically(const std::string& path, const uint8_t* bytes, size_t size,
                         std::string* error = nullptr);

inline bool writeFileAtomically(const std::string& path, std::string_view bytes,
                                std::string* error = nullptr) {
    return writeFileAtomically(path, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(),
                               error);
}

// The steps the writer takes, for writers that keep their own temporary names: every
// byte written (retrying interrupted writes; errno set on failure), and the folder
// holding `path` flushed so renames in it are durable (0, or the errno; a file system
// that cannot flush a folder is no failure).
bool writeAllBytes(int fd, const uint8_t* bytes, size_t size);
int syncFolderOf(const std::string& path);
