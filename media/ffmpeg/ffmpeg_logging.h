#pragma once
// FFmpeg prints what it finds wrong in a file to standard error; the engine reports bad
// files itself, so the programs keep FFmpeg quiet.
void silenceFfmpegLogging();
