#pragma once
// The text renderer on SDL_ttf: registered font files found by face name, fonts sized
// by their line height in pixels, rendered without antialiasing ("solid"). A font keeps
// the ink masks of the strings it drew last, so text drawn every frame is not rendered
// from the outlines again.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/text_renderer.h"

// The face used when a face is not registered, so text still shows.
constexpr const char* kFallbackFontPath = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

class SdlTextRenderer : public TextRenderer {
public:
    explicit SdlTextRenderer(std::string fallbackPath = kFallbackFontPath);
    ~SdlTextRenderer() override;
    SdlTextRenderer(const SdlTextRenderer&) = delete;
    SdlTextRenderer& operator=(const SdlTextRenderer&) = delete;

    bool registerFontFile(const std::string& path) override;
    bool unregisterFontFile(const std::string& path) override;
    bool hasFace(const std::string& face) const override { return !pathOf(face).empty(); }
    std::shared_ptr<TextFont> openFont(const std::string& face, int width, int height,
                                       int weight) override;
    TextFont* defaultFont() override;

    // The font file a face name resolves to ("" when it is not registered).
    std::string pathOf(const std::string& face) const;

    // SDL_ttf started once per renderer; its fonts keep it running after the renderer
    // goes, so a surface may hold a font longer than the renderer lives.
    struct Library;

private:
    std::shared_ptr<Library> library_;
    std::string fallbackPath_;
    // Registered font files and the face names they answer to (lower case).
    std::map<std::string, std::vector<std::string>> namesByPath_;
    // Fonts by file, pixel height and weight, shared while anything holds them.
    std::map<std::string, std::weak_ptr<TextFont>> shared_;
    std::shared_ptr<TextFont> default_;
};
