// The folder watcher on Linux's inotify: a file closed after writing, or renamed into the
// folder (an editor that writes a copy and renames it over the old file).
#include <fcntl.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>

#include "platform/folder_watcher.h"

namespace {

class InotifyFolderWatcher : public FolderWatcher {
public:
    explicit InotifyFolderWatcher(int fd) : fd_(fd) {}
    ~InotifyFolderWatcher() override { ::close(fd_); }
    InotifyFolderWatcher(const InotifyFolderWatcher&) = delete;
    InotifyFolderWatcher& operator=(const InotifyFolderWatcher&) = delete;

    std::vector<std::string> changedFiles() override {
        std::vector<std::string> names;
        alignas(inotify_event) char buffer[16384];
        for (;;) {
            ssize_t got = ::read(fd_, buffer, sizeof buffer);
            if (got <= 0) break;  // EAGAIN: nothing more waiting
            size_t at = 0, size = static_cast<size_t>(got);
            while (at + sizeof(inotify_event) <= size) {
                inotify_event event;
                std::memcpy(&event, buffer + at, sizeof event);
                size_t end = at + sizeof(inotify_event) + event.len;
                if (end > size) break;
                if (event.len > 0 && !(event.mask & IN_ISDIR)) {
                    const char* name = buffer + at + sizeof(inotify_event);
                    std::string file(name, strnlen(name, event.len));
                    if (std::find(names.begin(), names.end(), file) == names.end())
                        names.push_back(std::move(file));
                }
                at = end;
            }
        }
        return names;
    }

private:
    int fd_;
};

}  // namespace

std::unique_ptr<FolderWatcher> watchFolder(const std::string& folder) {
    int fd = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (fd < 0) return nullptr;
    std::string path = folder.empty() ? "." : folder;
    if (inotify_add_watch(fd, path.c_str(), IN_CLOSE_WRITE | IN_MOVED_TO) < 0) {
        ::close(fd);
        return nullptr;
    }
    return std::make_unique<InotifyFolderWatcher>(fd);
}
