#pragma once
// Why a movie could not be opened. A missing file is told apart from one that exists but
// is no movie the decoder can play, so that only the second needs a report.
enum class MovieError {
    kNone,
    kNotFound,     // no such file
    kUnreadable,   // exists, but cannot be read or is no container the decoder knows
    kNoVideo,      // a container without a picture stream (sound only, say)
    kUndecodable,  // the picture stream's codec is unknown, or its first picture fails
    kBadTarget,    // no target surface, or one whose pixel format frames cannot be drawn in
};

// A short English reason, e.g. for the console line that names the file.
const char* movieErrorText(MovieError error);
