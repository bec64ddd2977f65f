#pragma once
// Runs the checker's library on throwaway game folders with the engine's readers.
#include <string>
#include <vector>

#include "support/headless_run.h"
#include "tools/checker/game_check.h"

namespace checker_test {

// Every file the engine reads by fixed name but the title movie, and "base.bmp", a
// 640x480 base image, so a test sees only the problems it made.
void writeEngineFiles(const headless_test::GameFolder& game);

// The compiler-style lines the whole-game check gives, or only those of `file`.
std::vector<std::string> checkGame(const headless_test::GameFolder& game,
                                   const std::string& file = std::string());
// The same for the one-view check.
std::vector<std::string> checkOneView(const headless_test::GameFolder& game,
                                      const std::string& view);

// A view file: the header lines, the on-load lines, then the hotspot blocks as given.
std::string view(const std::string& onLoad, const std::string& hotspots = std::string(),
                 const std::string& base = "base.bmp");
// One hotspot block, a rectangle unless `coord` is given.
std::string hotspot(const std::string& name, const std::string& click,
                    const std::string& condition = "()", int cursor = 2,
                    const std::string& coord = "(10,10),(100,10),(100,100),(10,100)");

}  // namespace checker_test
