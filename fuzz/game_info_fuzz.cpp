// game.txt of any content: the reader never crashes, and whatever it accepts stays in
// its field of the texts made from it — no line breaks into a desktop entry, a
// launcher script or a package's control file, and package names stay package names.
#include <algorithm>
#include <cstdint>
#include <string>

#include "tools/pack/game_info.h"
#include "tools/pack/package_texts.h"

namespace {

size_t lineCount(const std::string& text) {
    return static_cast<size_t>(std::count(text.begin(), text.end(), '\n'));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const GameInfo info = readGameInfo(text);
    for (const std::string* value : {&info.title, &info.version, &info.author, &info.icon}) {
        if (value->size() > kMaxGameInfoValue || !plainUtf8(*value)) __builtin_trap();
    }
    const std::string slug = slugFromTitle(info.title);
    for (char c : slug) {
        if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-')) __builtin_trap();
    }
    if (!slug.empty() && (slug.size() < 2 || slug.front() == '-' || slug.back() == '-'))
        __builtin_trap();

    // The same texts for the shortest values, to compare line counts with.
    const PackedGame plain{"ab", "t", "1", "a", "vorlen"};
    const PackedGame game{slug.empty() ? "ab" : slug, info.title.empty() ? "t" : info.title,
                          info.version.empty() ? "1" : info.version,
                          info.author.empty() ? "a" : info.author,
                          info.icon.empty() ? "vorlen" : info.icon};
    if (lineCount(desktopEntry(game)) != lineCount(desktopEntry(plain)) ||
        lineCount(launcherScript(game)) != lineCount(launcherScript(plain)) ||
        lineCount(debianControl(game, "1", 1)) != lineCount(debianControl(plain, "1", 1)) ||
        lineCount(playerReadme(game)) != lineCount(playerReadme(plain)))
        __builtin_trap();
    return 0;
}
