#include "platform/event_source.h"

bool EventSource::next(WindowEvent& event) {
    if (!posted_.empty()) {
        event = posted_.front();
        posted_.pop_front();
        return true;
    }
    return fetch(event);
}

void EventSource::wait() {
    if (posted_.empty()) waitForEvent();
}

bool EventSource::quitPosted() const {
    for (const WindowEvent& e : posted_) {
        if (e.type == WindowEvent::Quit) return true;
    }
    return false;
}

bool QueuedEventSource::fetch(WindowEvent& event) {
    if (queue_.empty()) {
        // Other threads only add to the count; this is the one place that takes from it.
        if (musicEvents_.load() <= 0) return false;
        musicEvents_.fetch_sub(1);
        event = WindowEvent{WindowEvent::Music};
        return true;
    }
    event = queue_.front();
    queue_.pop_front();
    return true;
}
