#include "media/overlays.h"

#include <algorithm>

namespace {

// Before the first entry whose depth is greater, so equal depths keep their order.
template <typename T>
void insertByDepth(std::vector<std::unique_ptr<T>>& sequence, std::unique_ptr<T> item) {
    const int depth = item->getDepth();
    auto at = std::find_if(
        sequence.begin(), sequence.end(),
        [depth](const std::unique_ptr<T>& other) { return other->getDepth() > depth; });
    sequence.insert(at, std::move(item));
}

template <typename T>
auto findNamed(const std::vector<std::unique_ptr<T>>& sequence, const std::string& name) {
    return std::find_if(sequence.begin(), sequence.end(), [&name](const std::unique_ptr<T>& item) {
        return item->getName() == name;
    });
}

template <typename T>
bool removeNamed(std::vector<std::unique_ptr<T>>& sequence, const std::string& name) {
    auto at = findNamed(sequence, name);
    if (at == sequence.end()) return false;
    sequence.erase(at);
    return true;
}

template <typename T>
std::vector<std::string> backToFront(const std::vector<std::unique_ptr<T>>& sequence) {
    std::vector<std::string> names;
    for (auto it = sequence.rbegin(); it != sequence.rend(); ++it)
        names.push_back((*it)->getName());
    return names;
}

}  // namespace

Overlays::~Overlays() {
    clear();
}

bool Overlays::hasImage(const std::string& name) const {
    return findNamed(images_, name) != images_.end();
}

bool Overlays::hasAnim(const std::string& name) const {
    return findNamed(anims_, name) != anims_.end();
}

OverlayImage* Overlays::findImage(const std::string& name) {
    auto it = findNamed(images_, name);
    return it == images_.end() ? nullptr : it->get();
}

FrameAnimation* Overlays::findAnim(const std::string& name) {
    auto it = findNamed(anims_, name);
    return it == anims_.end() ? nullptr : it->get();
}

void Overlays::addImage(std::unique_ptr<OverlayImage> image) {
    if (image) insertByDepth(images_, std::move(image));
}

void Overlays::addAnim(std::unique_ptr<FrameAnimation> anim) {
    if (anim) insertByDepth(anims_, std::move(anim));
}

bool Overlays::addMovie(const std::string& name, std::unique_ptr<OverlayMovie> movie) {
    if (!movie || hasMovie(name)) return false;
    movies_.emplace(name, std::move(movie));
    return true;
}

bool Overlays::removeImage(const std::string& name) {
    return removeNamed(images_, name);
}

bool Overlays::removeAnim(const std::string& name) {
    return removeNamed(anims_, name);
}

bool Overlays::removeMovie(const std::string& name) {
    auto it = movies_.find(name);
    if (it == movies_.end()) return false;
    it->second->halt();
    it->second->close();
    movies_.erase(it);
    return true;
}

void Overlays::pauseMovies() {
    for (auto& entry : movies_) entry.second->pause();
}

void Overlays::resumeMovies() {
    for (auto& entry : movies_) entry.second->resume();
}

void Overlays::updateMovies(Surface& destination) {
    for (auto& entry : movies_) entry.second->update(destination);
}

void Overlays::draw(Surface& destination) {
    for (auto it = images_.rbegin(); it != images_.rend(); ++it) (*it)->draw(destination);
    for (auto it = anims_.rbegin(); it != anims_.rend(); ++it)
        (*it)->drawAtOwnPosition(destination, DrawMode::Keyed);
}

void Overlays::clear() {
    for (auto& entry : movies_) {
        entry.second->halt();
        entry.second->close();
    }
    movies_.clear();
    images_.clear();
    anims_.clear();
}

std::vector<std::string> Overlays::imageNames() const {
    return backToFront(images_);
}

std::vector<std::string> Overlays::animNames() const {
    return backToFront(anims_);
}

std::vector<std::string> Overlays::movieNames() const {
    std::vector<std::string> names;
    for (const auto& entry : movies_) names.push_back(entry.first);
    return names;
}
