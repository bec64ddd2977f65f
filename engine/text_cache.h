#pragma once
// Text lines drawn every frame (the console rows, the debug lines) rendered once and
// kept as colour-keyed surfaces, so a frame copies pixels instead of running the font.
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <unordered_map>

class Surface;

class TextCache {
public:
    explicit TextCache(size_t capacity = 64);
    ~TextCache();
    // Draws `text` in `colour` (0x00BBGGRR) with the destination's text font.
    void draw(Surface& destination, int x, int y, uint32_t colour, const std::string& text);
    void clear();
    size_t size() const { return entries_.size(); }

private:
    struct Entry;
    std::unique_ptr<Surface> render(Surface& destination, uint32_t colour, const std::string& text);

    size_t capacity_;
    std::list<std::string> order_;  // most recently used first
    std::unordered_map<std::string, std::unique_ptr<Entry>> entries_;
};
