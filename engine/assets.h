#pragma once
// The game's pictures and frame sheets, read from its folder in the screen's format.
// Every file that is missing or cannot be read is named on the output once, so a sheet
// tried every frame does not flood the console.
#include <cstdint>
#include <memory>
#include <set>
#include <string>

#include "media/frame_animation.h"
#include "platform/game_folder.h"
#include "platform/message_sink.h"
#include "platform/surface.h"

class PictureFormats;
class Screen;

class Assets {
public:
    // All outlive the loader; without picture formats only built-in pictures load.
    Assets(const GameFolder& folder, const PictureFormats* pictures, MessageSink& output)
        : folder_(folder), pictures_(pictures), output_(output) {}

    void setScreen(Screen* screen) { screen_ = screen; }

    // A picture with its colour key from its top-left pixel (pointers, the console
    // panel). A missing file may be stood in for by a built-in picture; the author is
    // told either way. One that cannot be loaded leaves an empty surface, which every
    // drawing step skips.
    std::unique_ptr<Surface> keyedPicture(const std::string& file);
    // A sheet of frames; one that cannot be loaded has no frames and draws nothing.
    std::unique_ptr<FrameAnimation> sheet(const std::string& file,
                                          const AnimationSettings& settings);
    // Loads the picture into `surface` (loadImage's codes); reports a failure.
    int loadPicture(Surface& surface, const std::string& file);
    // Copies the picture onto the surface from (0, 0) over its whole size; the surface
    // keeps its format and size. False, quietly, when the picture cannot be read.
    bool drawPictureInto(const std::string& file, Surface& surface) const;

    // "Could not load <file>" in red, once per file.
    void reportCouldNotLoad(const std::string& file);
    // "Font face <face> is not available, using the default face" in red, once per face.
    void reportMissingFace(const std::string& face);

private:
    const GameFolder& folder_;
    const PictureFormats* pictures_;
    MessageSink& output_;
    Screen* screen_ = nullptr;
    std::set<std::string> reported_;
    std::set<std::string> reportedFaces_;
};
