#pragma once
// The overlays scripts place over the view: still images and frame animations, each kept
// sorted by ascending depth, and looping movies by name. Names are unique within each
// collection; the same name may be used once in each.
//
// Drawing order: movies first (by name), then images, then animations, each sequence
// from its last entry to its first. The greatest depth is thus furthest back, the
// smallest in front, and among equal depths the earliest created is in front. Every image
// lies behind every animation, and every movie behind both.
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "media/frame_animation.h"
#include "media/overlay_image.h"
#include "media/overlay_movie.h"

class Overlays {
public:
    Overlays() = default;
    ~Overlays();
    Overlays(const Overlays&) = delete;
    Overlays& operator=(const Overlays&) = delete;

    bool hasImage(const std::string& name) const;
    bool hasAnim(const std::string& name) const;
    bool hasMovie(const std::string& name) const { return movies_.count(name) != 0; }

    // The entry of that name, null when there is none (reloading its picture in place
    // keeps its place in the drawing order).
    OverlayImage* findImage(const std::string& name);
    FrameAnimation* findAnim(const std::string& name);

    // Inserted before the first entry of greater depth, or at the end.
    void addImage(std::unique_ptr<OverlayImage> image);
    void addAnim(std::unique_ptr<FrameAnimation> anim);
    // False (and the movie destroyed) when the name is taken.
    bool addMovie(const std::string& name, std::unique_ptr<OverlayMovie> movie);
    // Destroy the first entry of that name; false when there is none.
    bool removeImage(const std::string& name);
    bool removeAnim(const std::string& name);
    // Halts, closes and destroys the movie.
    bool removeMovie(const std::string& name);

    // Every movie in name order: advanced and drawn onto `destination`.
    void updateMovies(Surface& destination);
    // Holds every playing movie where it stands, and lets them go on from there.
    void pauseMovies();
    void resumeMovies();
    // The images, then the animations (advancing them), onto `destination`.
    void draw(Surface& destination);
    // Halts, closes and destroys every movie, and destroys every image and animation.
    void clear();

    // Names in drawing order, back to front; movies in name order.
    std::vector<std::string> imageNames() const;
    std::vector<std::string> animNames() const;
    std::vector<std::string> movieNames() const;
    bool empty() const { return images_.empty() && anims_.empty() && movies_.empty(); }

private:
    std::vector<std::unique_ptr<OverlayImage>> images_;
    std::vector<std::unique_ptr<FrameAnimation>> anims_;
    std::map<std::string, std::unique_ptr<OverlayMovie>> movies_;
};
