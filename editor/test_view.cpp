#include "editor/test_view.h"

#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/image/file_writer.h"

namespace fs = std::filesystem;

namespace testview {

std::string prepareFolder(const std::string& gameFolder, const std::string& tempRoot,
                          const std::string& viewText, std::string& error) {
    std::string pattern = (fs::path(tempRoot) / "pandrel-test-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (!mkdtemp(name.data())) {
        error = "Cannot create a folder in " + tempRoot;
        return std::string();
    }
    const fs::path folder(name.data());
    std::error_code ec;
    const fs::path game = fs::absolute(gameFolder.empty() ? "." : gameFolder, ec);
    for (fs::directory_iterator it(game, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path entry = it->path();
        if (entry.filename() == "init.scn" || fs::equivalent(entry, folder, ec)) continue;
        std::error_code linkError;
        fs::create_symlink(entry, folder / entry.filename(), linkError);
    }
    if (ec) {
        error = "Cannot list " + game.string() + ": " + ec.message();
        fs::remove_all(folder, ec);
        return std::string();
    }
    if (!writeFileAtomically((folder / "init.scn").string(), viewText, &error)) {
        fs::remove_all(folder, ec);
        return std::string();
    }
    return folder.string();
}

void removeFolder(const std::string& folder) {
    std::error_code ec;
    fs::remove_all(folder, ec);
}

std::string findEngine(const std::string& editorFolder) {
    return findProgram(editorFolder, "engine-windowed");
}

std::string findProgram(const std::string& editorFolder, const std::string& program) {
    std::error_code ec;
    for (const fs::path& p :
         {fs::path(editorFolder) / program, fs::path(editorFolder) / ".." / program}) {
        if (fs::is_regular_file(p, ec)) return fs::weakly_canonical(p, ec).string();
    }
    if (const char* path = std::getenv("PATH")) {
        std::string all(path);
        size_t start = 0;
        while (start <= all.size()) {
            size_t end = all.find(':', start);
            if (end == std::string::npos) end = all.size();
            const fs::path p = fs::path(all.substr(start, end - start)) / program;
            if (end > start && fs::is_regular_file(p, ec)) return p.string();
            start = end + 1;
        }
    }
    return std::string();
}

std::vector<int> savedSlots(const std::string& gameFolder) {
    std::vector<int> slots;
    std::error_code ec;
    const fs::path folder = gameFolder.empty() ? fs::path(".") : fs::path(gameFolder);
    for (int slot = 1; slot <= 30; ++slot)
        if (fs::is_regular_file(folder / ("slot" + std::to_string(slot) + ".sav"), ec))
            slots.push_back(slot);
    return slots;
}

std::vector<std::pair<std::string, std::string>> engineEnvironment(const std::string& viewName,
                                                                   int slot) {
    std::vector<std::pair<std::string, std::string>> env{{"VORLEN_LIVE", "1"},
                                                         {"VORLEN_START_VIEW", viewName}};
    if (slot >= 1 && slot <= 30) env.push_back({"VORLEN_START_SLOT", std::to_string(slot)});
    return env;
}

int runningEngine(const std::vector<EngineRun>& runs, const std::string& gameFolder,
                  const std::function<bool(long long pid)>& alive) {
    std::error_code ec;
    const fs::path folder = gameFolder.empty() ? fs::path(".") : fs::path(gameFolder);
    for (size_t i = runs.size(); i-- > 0;) {
        const fs::path other =
            runs[i].gameFolder.empty() ? fs::path(".") : fs::path(runs[i].gameFolder);
        if (fs::equivalent(folder, other, ec) && alive(runs[i].pid)) return static_cast<int>(i);
    }
    return -1;
}

}  // namespace testview
