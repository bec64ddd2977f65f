#include "engine/slot_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <map>

#include "game/save_file.h"
#include "platform/file_bytes.h"
#include "platform/image/file_writer.h"

namespace {

constexpr const char* kTemporary = ".tmp";

bool exists(const std::string& path) {
    struct stat info;
    return ::lstat(path.c_str(), &info) == 0;
}

// The file the player knows, for the red line: "slot3.sav" rather than its full path.
std::string shownName(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool failWith(std::string& why, const std::string& path, int err) {
    why = "cannot write " + shownName(path) + ": " + std::strerror(err);
    return false;
}

// Creates (truncating) a temporary beside `path` with the permissions of the file it
// will replace, and writes the bytes.
int writeTemporary(const std::string& path, const std::string& temp, const uint8_t* bytes,
                   size_t size, std::string& why) {
    struct stat old;
    const bool replacing = ::stat(path.c_str(), &old) == 0;
    if (replacing && S_ISDIR(old.st_mode)) {
        failWith(why, path, EISDIR);
        return -1;
    }
    const int fd =
        ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, 0666);
    if (fd < 0) {
        failWith(why, path, errno);
        return -1;
    }
    if ((replacing && S_ISREG(old.st_mode) && ::fchmod(fd, old.st_mode & 07777) != 0) ||
        !writeAllBytes(fd, bytes, size)) {
        failWith(why, path, errno);
        ::close(fd);
        ::unlink(temp.c_str());
        return -1;
    }
    return fd;
}

void closeFd(int& fd) {
    if (fd >= 0) ::close(fd);
    fd = -1;
}

// The slot number and the rest of a name "slot<digits><rest>"; false for other names.
bool slotOfName(const std::string& name, int& slot, std::string& rest) {
    if (name.compare(0, 4, "slot") != 0) return false;
    size_t i = 4;
    long value = 0;
    while (i < name.size() && i < 4 + 9 && name[i] >= '0' && name[i] <= '9')
        value = value * 10 + (name[i++] - '0');
    if (i == 4 || value <= 0) return false;
    slot = static_cast<int>(value);
    rest = name.substr(i);
    return true;
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// What an older writer left: "slot%d.sav.<anything>.tmp" (and the same for ".jpg").
struct LegacyTemporaries {
    std::vector<std::string> state, picture;
};

void recoverLegacy(const GameFolder& folder, int slot, const LegacyTemporaries& left) {
    // That writer renamed the picture in before it began the state file: a state
    // temporary left behind means the picture beside the old state file is the new one.
    if (!left.state.empty()) {
        bool completed = false;
        for (const std::string& temp : left.state) {
            std::string text, why;
            SavedGame parsed;
            if (!completed &&
                readFileBytes(folder.path(temp), kMaxSaveFileBytes, text) == FileRead::Ok &&
                readSaveText(text, parsed, why) &&
                ::rename(folder.path(temp).c_str(), folder.path(slotStateFile(slot)).c_str()) ==
                    0) {
                completed = true;
                continue;
            }
            ::unlink(folder.path(temp).c_str());
        }
        if (!completed) ::unlink(folder.path(slotPictureFile(slot)).c_str());
    }
    for (const std::string& temp : left.picture) ::unlink(folder.path(temp).c_str());
}

}  // namespace

bool writeSlotTemporaries(const GameFolder& folder, int slot, std::string_view state,
                          const std::vector<uint8_t>& picture, PreparedSlot& out,
                          std::string& why) {
    PreparedSlot p;
    p.slot = slot;
    p.statePath = folder.path(slotStateFile(slot));
    p.picturePath = folder.path(slotPictureFile(slot));
    p.stateTemp = p.statePath + kTemporary;
    p.pictureTemp = p.picturePath + kTemporary;
    // The picture's temporary first: while it exists, no rename has begun.
    p.pictureFd = writeTemporary(p.picturePath, p.pictureTemp, picture.data(), picture.size(), why);
    if (p.pictureFd < 0) return false;
    p.stateFd = writeTemporary(p.statePath, p.stateTemp,
                               reinterpret_cast<const uint8_t*>(state.data()), state.size(), why);
    if (p.stateFd < 0) {
        discardSlot(p);
        return false;
    }
    out = std::move(p);
    return true;
}

bool commitSlot(PreparedSlot& p, std::string& why) {
    auto rollBack = [&](const std::string& path, int err) {
        discardSlot(p);
        return failWith(why, path, err);
    };
    if (::fdatasync(p.pictureFd) != 0) return rollBack(p.picturePath, errno);
    if (::fdatasync(p.stateFd) != 0) return rollBack(p.statePath, errno);
    if (::close(p.pictureFd) != 0) {
        p.pictureFd = -1;
        return rollBack(p.picturePath, errno);
    }
    p.pictureFd = -1;
    if (::close(p.stateFd) != 0) {
        p.stateFd = -1;
        return rollBack(p.statePath, errno);
    }
    p.stateFd = -1;
    if (::rename(p.pictureTemp.c_str(), p.picturePath.c_str()) != 0)
        return rollBack(p.picturePath, errno);
    // From here the state temporary is the slot's: recoverSlot completes it.
    if (::rename(p.stateTemp.c_str(), p.statePath.c_str()) != 0)
        return failWith(why, p.statePath, errno);
    if (const int err = syncFolderOf(p.statePath)) return failWith(why, p.statePath, err);
    return true;
}

void discardSlot(PreparedSlot& p) {
    closeFd(p.pictureFd);
    closeFd(p.stateFd);
    if (!p.pictureTemp.empty()) ::unlink(p.pictureTemp.c_str());
    if (!p.stateTemp.empty()) ::unlink(p.stateTemp.c_str());
}

void recoverSlot(const GameFolder& folder, int slot) {
    const std::string state = folder.path(slotStateFile(slot));
    const std::string stateTemp = state + kTemporary;
    const std::string pictureTemp = folder.path(slotPictureFile(slot)) + kTemporary;
    if (exists(pictureTemp)) {
        ::unlink(pictureTemp.c_str());
        ::unlink(stateTemp.c_str());
    } else if (exists(stateTemp)) {
        if (fileKind(stateTemp) != FileKind::Regular ||
            ::rename(stateTemp.c_str(), state.c_str()) != 0)
            ::unlink(stateTemp.c_str());
        syncFolderOf(state);
    }
}

void recoverAllSlots(const GameFolder& folder) {
    const std::string root = folder.root().empty() ? "." : folder.root();
    DIR* dir = ::opendir(root.c_str());
    if (!dir) return;
    std::map<int, bool> current;  // slots with a temporary of the fixed names
    std::map<int, LegacyTemporaries> legacy;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        int slot = 0;
        std::string rest;
        if (!endsWith(name, kTemporary) || !slotOfName(name, slot, rest)) continue;
        if (rest == ".sav.tmp" || rest == ".jpg.tmp")
            current[slot] = true;
        else if (rest.compare(0, 5, ".sav.") == 0)
            legacy[slot].state.push_back(name);
        else if (rest.compare(0, 5, ".jpg.") == 0)
            legacy[slot].picture.push_back(name);
    }
    ::closedir(dir);
    for (const auto& [slot, left] : legacy) recoverLegacy(folder, slot, left);
    for (const auto& entry : current) recoverSlot(folder, entry.first);
}
