#pragma once
// Text for the surfaces: font files registered by path and found by face name,
// rendered without antialiasing into ink masks that Surface::drawText paints with the
// font it is given. The renderer behind it (SDL_ttf in the programs) is handed to the
// Screen, whose surfaces use it for the game's shorthand; a screen without one draws no
// text.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The ink of one rendered line: width x height bytes, non-zero where drawn.
struct TextMask {
    int width = 0, height = 0;
    std::vector<uint8_t> ink;
};

class TextFont {
public:
    virtual ~TextFont() = default;
    // The ink of one line of text; null when it cannot be rendered (or is empty). The
    // mask stays valid until the next call.
    virtual const TextMask* render(const std::string& text) = 0;
    // Pixels from one line's top to the next's.
    virtual int lineHeight() const = 0;
};

class TextRenderer {
public:
    virtual ~TextRenderer() = default;

    // Makes a font file's faces available by its family name and by the file's stem
    // ("fonts/pookie.ttf" gives "pookie"), matched without regard to case. False when
    // the file cannot be read as a font.
    virtual bool registerFontFile(const std::string& path) = 0;
    // False when the path was not registered.
    virtual bool unregisterFontFile(const std::string& path) = 0;
    // True when a registered font file answers to the face name (case aside); openFont
    // gives the fallback face for any other.
    virtual bool hasFace(const std::string& face) const = 0;

    // A font of the face whose line height is `height` pixels (negative heights are
    // taken as their magnitude, 0 as 16); weights of 600 and above are bold. A face
    // that is not registered falls back to the renderer's fallback face, so text still
    // shows. Fonts with the same arguments are shared. Null when no font file could be
    // opened at all.
    virtual std::shared_ptr<TextFont> openFont(const std::string& face, int width, int height,
                                               int weight) = 0;
    // The font of surfaces that never created one (the fallback face, 16 pixels); null
    // when it cannot be opened.
    virtual TextFont* defaultFont() = 0;
};
