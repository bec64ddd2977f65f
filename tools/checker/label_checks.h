#pragma once
// The labels files of accessible play against the views: a hotspot or view without a
// label (the player hears its file name instead) and a label that names nothing.
#include <string>
#include <vector>

#include "platform/game_folder.h"
#include "tools/checker/diagnostics.h"

// Checks labels.txt and every labels.LANG.txt of the folder against `views` (view file
// names); does nothing when there is no labels file.
void checkLabels(const GameFolder& folder, const std::vector<std::string>& views,
                 DiagnosticSink& sink);
