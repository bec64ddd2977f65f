#pragma once
// Fonts for Surface::drawText: font files registered by path and found by face name,
// rendered without antialiasing. A font keeps the ink masks of the strings it drew
// last, so text drawn every frame is not rendered from the outlines again.
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

struct _TTF_Font;

// Makes a font file's faces available by its family name and by the file's stem
// ("fonts/pookie.ttf" gives "pookie"). False when the file cannot be read as a font.
bool registerFontFile(const std::string& path);
// False when the path was not registered.
bool unregisterFontFile(const std::string& path);

// Used when a face is not registered, so text still shows.
constexpr const char* kFallbackFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

class Font {
public:
    // The ink of a rendered string: width x height bytes, non-zero where drawn.
    struct Mask {
        int width = 0, height = 0;
        std::vector<uint8_t> ink;
    };

    // A font of the face whose line height is `height` pixels (negative heights are
    // taken as their magnitude, 0 as 16); weights of 600 and above are bold. Fonts
    // with the same arguments are shared. Null when no font file could be opened.
    static std::shared_ptr<Font> create(const std::string& face, int width, int height, int weight);
    // The font used by surfaces that never created one.
    static Font* fallback();

    ~Font();
    Font(const Font&) = delete;
    Font& operator=(const Font&) = delete;

    // Null when the text cannot be rendered. The mask stays valid until the next call.
    const Mask* render(const std::string& text);
    int lineHeight() const { return lineHeight_; }
    int pointSize() const { return pointSize_; }
    const std::string& path() const { return path_; }

private:
    Font() = default;

    _TTF_Font* font_ = nullptr;
    std::string path_;
    int lineHeight_ = 0;
    int pointSize_ = 0;
    // Most recently used strings first.
    std::list<std::pair<std::string, Mask>> cache_;
    std::unordered_map<std::string, std::list<std::pair<std::string, Mask>>::iterator> index_;
};
