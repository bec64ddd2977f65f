#pragma once
// Reading and writing view files. The writer produces the exact layout the engine
// reads; the reader is line based and forgiving, and names the keyword it missed.
#include <string>
#include <vector>

#include "editor/editor_model.h"

namespace viewfile {

// The file text (CR LF line ends) for the view in the model.
std::string write(const EditorModel& model);

struct ReadResult {
    bool ok = false;
    std::string error;  // "Expecting ..." when not ok
    // The stored base image name, as written. Kept when the file fails after it, since
    // the picture is looked for as soon as its line has been read.
    std::string baseImage;
    bool baseImageRead = false;
};

// Reasons the engine would fail to read the written file (names and conditions are
// read as single words; a script line holds at most 99 characters as it stands in the
// file, indentation included). Empty when none.
std::vector<std::string> engineProblems(const EditorModel& model);

// Reads file text into the model: resetView, then the view's fields and shapes.
// On failure the model is reset again, so it is left empty.
ReadResult read(const std::string& bytes, EditorModel& model);

// The name a view is saved under: ".scn" appended unless the name already ends in it.
std::string saveName(const std::string& chosen);

// Appends the vertices of a coordinate list to a shape, read as the engine reads them;
// false (nothing added) when they would not fit in a shape.
bool parseCoordinates(const std::string& word, shape& shp);

// The whole file. (Saving goes through writeFileAtomically in
// platform/image/file_writer.h, so a failed write leaves the previous file as it was.)
bool readFile(const std::string& path, std::string& bytes, std::string& error);

}  // namespace viewfile
