#include "engine/text_cache.h"

#include "platform/surface.h"

struct TextCache::Entry {
    std::unique_ptr<Surface> surface;
    std::list<std::string>::iterator position;
};

TextCache::TextCache(size_t capacity) : capacity_(capacity) {}
TextCache::~TextCache() = default;

void TextCache::clear() {
    entries_.clear();
    order_.clear();
}

std::unique_ptr<Surface> TextCache::render(Surface&, uint32_t, const std::string&) {
    return nullptr;
}

void TextCache::draw(Surface& destination, int x, int y, uint32_t colour, const std::string& text) {
    destination.getDC();
    destination.drawText(x, y, colour, text);
    destination.releaseDC();
}
