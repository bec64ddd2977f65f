#pragma once
// The player's own folder for one game: it shows every file of the (possibly read-only,
// installed) game folder through symbolic links and holds what the engine writes there
// — saved games and screenshots — so the game folder itself is never written.
#include <filesystem>
#include <string>
#include <vector>

namespace player_folder {

// Where every game's player folder lives: $XDG_DATA_HOME/vorlen/games, else
// $HOME/.local/share/vorlen/games. Empty when neither variable is set.
std::filesystem::path gamesRoot();

// The folder name of a game: the last part of its (absolute) folder, with every byte
// outside [A-Za-z0-9._-] replaced by '_' and no leading dot; "game" when nothing is left.
std::string gameId(const std::filesystem::path& gameFolder);

// Files the engine writes into its folder and the player keeps: "slotN.sav",
// "slotN.jpg", "shotN.jpg" (N decimal digits), and the temporary files of a save.
bool isPlayerFile(const std::string& name);

// Makes `playerDir` show the game: a link for each entry of `gameDir` (except player
// files), links that point elsewhere are pointed anew, links to entries the game no
// longer has are removed. Real files and folders of the player are never touched. False,
// with `error` set, when the folders cannot be read or written.
bool linkGame(const std::filesystem::path& gameDir, const std::filesystem::path& playerDir,
              std::string& error);

struct SavedSlot {
    int slot = 0;
    std::string date, time;  // as stamped in the file; empty when it does not read
};
// The saved slots of a player folder, by slot number.
std::vector<SavedSlot> savedSlots(const std::filesystem::path& playerDir);

}  // namespace player_folder
