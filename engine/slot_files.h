#pragma once
// A slot's two files ("slot%d.sav", "slot%d.jpg") replaced together, as the player sees
// them. Both new files are written beside the old ones under fixed names ("slot%d.sav.tmp",
// "slot%d.jpg.tmp") and made durable; then the picture is renamed into place and the
// state file last. The state file's rename is the commit point:
//   - a picture temporary still there means the commit never began: both temporaries go
//     and the old pair stands;
//   - only a state temporary there means the picture went in: the state file, complete
//     and durable before any rename, is renamed after it.
// Renames within one folder reach the disk in the order they were made on the journalled
// file systems games live on, so one folder flush after both renames suffices.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/game_folder.h"

// The temporaries of one save, written and still open.
struct PreparedSlot {
    int slot = 0;
    std::string statePath, picturePath;
    std::string stateTemp, pictureTemp;
    int stateFd = -1, pictureFd = -1;
};

// Writes both temporaries (without waiting for the disk). False, with the reason in
// `why` ("cannot write slot3.sav: No space left on device"), when anything failed; no
// temporary is left then and the old files are untouched.
bool writeSlotTemporaries(const GameFolder& folder, int slot, std::string_view state,
                          const std::vector<uint8_t>& picture, PreparedSlot& out, std::string& why);
// Flushes both temporaries, renames them into place (picture first) and flushes the
// folder. False, with the reason, when the old pair stands or (after the picture went
// in) when the state file is left for recoverSlot to complete.
bool commitSlot(PreparedSlot& prepared, std::string& why);
// Closes and removes the temporaries of a save that will not be committed.
void discardSlot(PreparedSlot& prepared);

// Completes or rolls back an interrupted save of the slot (its fixed temporaries only).
void recoverSlot(const GameFolder& folder, int slot);
// Every slot of the folder: interrupted saves completed or rolled back, and temporary
// files of slots that nothing will ever use removed (among them those an older writer
// named "slot%d.sav.<anything>.tmp"; its state file left complete is taken, and a
// picture it left beside the old state file, which would misrepresent it, goes).
void recoverAllSlots(const GameFolder& folder);
