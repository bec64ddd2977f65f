#pragma once
// The files the engine reads by fixed names at start-up and later: pointer pictures
// and sheets, the console panel, the held item's sheet, the ending, save/load and test
// pictures, the font and the title movie. The game runs without any of them, so each
// problem is a warning, reported on the file itself.
#include "tools/checker/diagnostics.h"
#include "tools/checker/file_probe.h"

void checkEngineFiles(FileProbe& probe, DiagnosticSink& sink);
