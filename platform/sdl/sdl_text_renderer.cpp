#include "platform/sdl/sdl_text_renderer.h"

#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <list>
#include <unordered_map>

struct SdlTextRenderer::Library {
    Library() : ready(TTF_Init() == 0) {}
    ~Library() {
        if (ready) TTF_Quit();
    }
    Library(const Library&) = delete;
    Library& operator=(const Library&) = delete;
    const bool ready;
};

namespace {

// Enough for the console, the frame counter and a save page without thrashing.
constexpr size_t kCachedStrings = 48;

std::string lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::string stemOf(const std::string& path) {
    size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos || dot == 0 ? name : name.substr(0, dot);
}

class SdlFont : public TextFont {
public:
    SdlFont(std::shared_ptr<SdlTextRenderer::Library> library, TTF_Font* font)
        : library_(std::move(library)), font_(font), lineHeight_(TTF_FontHeight(font)) {}
    ~SdlFont() override { TTF_CloseFont(font_); }
    SdlFont(const SdlFont&) = delete;
    SdlFont& operator=(const SdlFont&) = delete;

    const TextMask* render(const std::string& text) override;
    int lineHeight() const override { return lineHeight_; }

private:
    std::shared_ptr<SdlTextRenderer::Library> library_;  // closed before the library stops
    TTF_Font* font_;
    int lineHeight_;
    // Most recently used strings first.
    std::list<std::pair<std::string, TextMask>> cache_;
    std::unordered_map<std::string, std::list<std::pair<std::string, TextMask>>::iterator> index_;
};

const TextMask* SdlFont::render(const std::string& text) {
    auto found = index_.find(text);
    if (found != index_.end()) {
        cache_.splice(cache_.begin(), cache_, found->second);
        return &cache_.front().second;
    }
    if (text.empty()) return nullptr;
    // Solid rendering: palette index 0 is the background, anything else is ink.
    SDL_Surface* rendered =
        TTF_RenderText_Solid(font_, text.c_str(), SDL_Color{255, 255, 255, 255});
    if (!rendered) return nullptr;
    TextMask mask;
    bool ok = rendered->format->BytesPerPixel == 1 && SDL_LockSurface(rendered) == 0;
    if (ok) {
        mask.width = rendered->w;
        mask.height = rendered->h;
        mask.ink.resize(static_cast<size_t>(mask.width) * mask.height);
        const uint8_t* in = static_cast<const uint8_t*>(rendered->pixels);
        for (int y = 0; y < mask.height; ++y)
            for (int x = 0; x < mask.width; ++x)
                mask.ink[static_cast<size_t>(y) * mask.width + x] =
                    in[static_cast<size_t>(y) * rendered->pitch + x] != 0;
        SDL_UnlockSurface(rendered);
    }
    SDL_FreeSurface(rendered);
    if (!ok) return nullptr;

    if (cache_.size() >= kCachedStrings) {
        index_.erase(cache_.back().first);
        cache_.pop_back();
    }
    cache_.emplace_front(text, std::move(mask));
    index_[text] = cache_.begin();
    return &cache_.front().second;
}

}  // namespace

SdlTextRenderer::SdlTextRenderer(std::string fallbackPath)
    : library_(std::make_shared<Library>()), fallbackPath_(std::move(fallbackPath)) {}

SdlTextRenderer::~SdlTextRenderer() = default;

bool SdlTextRenderer::registerFontFile(const std::string& path) {
    if (path.empty() || !library_->ready) return false;
    TTF_Font* font = TTF_OpenFont(path.c_str(), 12);
    if (!font) return false;
    std::vector<std::string> names{lower(stemOf(path))};
    if (const char* family = TTF_FontFaceFamilyName(font)) names.push_back(lower(family));
    TTF_CloseFont(font);
    namesByPath_[path] = std::move(names);
    return true;
}

bool SdlTextRenderer::unregisterFontFile(const std::string& path) {
    return namesByPath_.erase(path) > 0;
}

std::string SdlTextRenderer::pathOf(const std::string& face) const {
    const std::string key = lower(face);
    // The latest registration wins, like a font table where it was added last.
    for (auto it = namesByPath_.rbegin(); it != namesByPath_.rend(); ++it)
        if (std::find(it->second.begin(), it->second.end(), key) != it->second.end())
            return it->first;
    return std::string();
}

std::shared_ptr<TextFont> SdlTextRenderer::openFont(const std::string& face, int width, int height,
                                                    int weight) {
    if (!library_->ready) return nullptr;
    const int pixels = height == 0 ? 16 : std::min(std::abs(height), 1024);
    const bool bold = weight >= 600;
    std::string path = pathOf(face);
    const std::string key = (path.empty() ? fallbackPath_ : path) + "|" + std::to_string(pixels) +
                            "|" + (bold ? "b" : "n");
    if (auto existing = shared_[key].lock()) return existing;

    TTF_Font* ttf = path.empty() ? nullptr : TTF_OpenFont(path.c_str(), 12);
    if (!ttf) {
        path = fallbackPath_;
        ttf = TTF_OpenFont(path.c_str(), 12);
        if (!ttf) return nullptr;
    }
    (void)width;  // glyph widths follow the face; the outline renderer cannot stretch them

    // Sizes are points, not pixels: take the point size whose line height comes
    // closest to the requested pixel height.
    auto heightAt = [ttf](int points) {
        return TTF_SetFontSize(ttf, points) == 0 ? TTF_FontHeight(ttf) : -1;
    };
    int lo = 1, hi = pixels * 2 + 8, best = 1;
    while (lo <= hi) {
        int mid = (lo + hi) / 2;
        int h = heightAt(mid);
        if (h >= 0 && h <= pixels) {
            best = mid;
            lo = mid + 1;
        } else {
            hi = mid - 1;
        }
    }
    int below = heightAt(best), above = heightAt(best + 1);
    int points = (above >= 0 && above - pixels < pixels - below) ? best + 1 : best;
    heightAt(points);
    TTF_SetFontStyle(ttf, bold ? TTF_STYLE_BOLD : TTF_STYLE_NORMAL);
    TTF_SetFontHinting(ttf, TTF_HINTING_MONO);

    auto font = std::make_shared<SdlFont>(library_, ttf);
    shared_[key] = font;
    return font;
}

TextFont* SdlTextRenderer::defaultFont() {
    if (!default_) default_ = openFont(std::string(), 0, 16, 400);
    return default_.get();
}
