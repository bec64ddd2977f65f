#pragma once
// What the dialogs do with their fields, apart from the widgets that show them.
#include <cstdint>
#include <string>
#include <vector>

#include "editor/overlay.h"
#include "editor/shape.h"

namespace dialogs {

extern const char* const kCursorCaptions[7];

// One line per vertex, "005 - 123".
std::vector<std::string> coordinateList(const shape& shp);

// A condition on one line: every line break becomes two blanks.
std::string conditionFromBox(const std::string& typed);

// hotprop "Okay": the typed fields into the shape.
void applyHotspot(shape& shp, const std::string& name, int cursorIndex, const std::string& condText,
                  const std::string& scriptText);

// The line overlayprop starts with.
std::string overlayLine(const overlay* current);

enum class OverlayCheck { Remove, NoHandle, Accept };
// overlayprop "OK", first steps: an empty line removes the overlay, a line without a
// handle is ignored; otherwise `parsed` holds the new overlay and the caller checks
// its image file.
OverlayCheck checkOverlayLine(const std::string& typed, overlay& parsed);

// "Version 1.2.0"-style label of the about box.
std::string versionLabel();
std::string aboutDescription();

// Scripts are kept with CR LF between lines; text boxes use LF.
std::string toBoxText(const std::string& stored);
std::string fromBoxText(const std::string& typed);

// Where pictures named in a view are looked for: beside the view file opened or
// saved last, else in the working directory. Absolute names stand as they are.
std::string resolveInGameFolder(const std::string& gameFolder, const std::string& name);
// The folder of a view file path.
std::string folderOf(const std::string& path);
// True when the file exists and holds at least one byte.
bool nonEmptyFile(const std::string& path);

}  // namespace dialogs
