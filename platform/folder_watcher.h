#pragma once
// Files of a folder that were written or renamed into place, as the system reports them.
// Polled: nothing happens between two calls.
#include <memory>
#include <string>
#include <vector>

class FolderWatcher {
public:
    virtual ~FolderWatcher() = default;
    // The names (no folder) of the files completed since the last call, each once, in
    // the order they first changed.
    virtual std::vector<std::string> changedFiles() = 0;
};

// A watcher on `folder` (empty: the working directory); null when the system cannot
// watch it.
std::unique_ptr<FolderWatcher> watchFolder(const std::string& folder);
