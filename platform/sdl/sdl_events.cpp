#include "platform/sdl/sdl_events.h"

#include <SDL.h>

#include <cstdio>
#include <cstring>

namespace {

// The virtual key a key-down message carries: Escape is 27 as the window procedure
// expects; other keys carry their engine code (never 27).
int virtualKeyOf(const SDL_KeyboardEvent& key) {
    if (key.keysym.scancode == SDL_SCANCODE_ESCAPE) return 27;
    int code = keyCodeForScancode(key.keysym.scancode);
    return code >= 0 ? code : 0;
}

// Control keys type a character as well, as the keyboard translation does.
int controlCharacterOfKey(const SDL_KeyboardEvent& key) {
    switch (key.keysym.scancode) {
        case SDL_SCANCODE_BACKSPACE:
            return 8;
        case SDL_SCANCODE_TAB:
            return 9;
        case SDL_SCANCODE_RETURN:
        case SDL_SCANCODE_KP_ENTER:
            return 13;
        case SDL_SCANCODE_ESCAPE:
            return 27;
        default:
            return 0;
    }
}

}  // namespace

uint32_t engineUserEventType() {
    static const Uint32 type = SDL_RegisterEvents(1);
    return type;
}

SdlEventSource::SdlEventSource(std::shared_ptr<SdlPendingInput> pending,
                               std::shared_ptr<SdlDisplayLink> display)
    : pending_(std::move(pending)), display_(std::move(display)) {
    if (!pending_) pending_ = std::make_shared<SdlPendingInput>();
}

void SdlEventSource::postMusicEvent() {
    SDL_Event event{};
    event.type = engineUserEventType();
    SDL_PushEvent(&event);
}

void SdlEventSource::keepAlive() {
    SDL_PumpEvents();
}

bool SdlEventSource::fetch(WindowEvent& event) {
    SDL_Event sdl;
    while (ready_.empty() && SDL_PollEvent(&sdl)) translate(&sdl);
    if (ready_.empty()) return false;
    event = ready_.front();
    ready_.pop_front();
    return true;
}

void SdlEventSource::waitForEvent() {
    if (ready_.empty()) SDL_WaitEvent(nullptr);
}

void SdlEventSource::translate(const void* raw) {
    const SDL_Event& e = *static_cast<const SDL_Event*>(raw);
    switch (e.type) {
        case SDL_QUIT:
            ready_.push_back({WindowEvent::Close});
            return;
        case SDL_WINDOWEVENT:
            switch (e.window.event) {
                case SDL_WINDOWEVENT_CLOSE:
                    ready_.push_back({WindowEvent::Close});
                    break;
                case SDL_WINDOWEVENT_FOCUS_GAINED:
                    ready_.push_back({WindowEvent::Activate, 1});
                    break;
                case SDL_WINDOWEVENT_FOCUS_LOST:
                    ready_.push_back({WindowEvent::Activate, 0});
                    break;
                case SDL_WINDOWEVENT_MOVED:
                    ready_.push_back({WindowEvent::Moving});
                    ready_.push_back({WindowEvent::ExitMove});
                    break;
                default:
                    break;
            }
            return;
        case SDL_KEYDOWN: {
            if (switchesFullScreen(&e.key)) return;
            int code = keyCodeForScancode(e.key.keysym.scancode);
            if (code >= 0 && code < kKeyboardCodeCount) pending_->keys[code] = true;
            ready_.push_back({WindowEvent::KeyDown, virtualKeyOf(e.key)});
            if (int c = controlCharacterOfKey(e.key)) ready_.push_back({WindowEvent::Character, c});
            return;
        }
        case SDL_KEYUP: {
            int code = keyCodeForScancode(e.key.keysym.scancode);
            if (code >= 0 && code < kKeyboardCodeCount) pending_->swallowed[code] = false;
            return;
        }
        case SDL_TEXTINPUT:
            // Character messages carry 8-bit characters; the console takes ASCII only.
            for (const char* p = e.text.text; *p; ++p) {
                auto c = static_cast<unsigned char>(*p);
                if (c < 0x80) ready_.push_back({WindowEvent::Character, c});
            }
            return;
        case SDL_MOUSEMOTION: {
            WindowEvent move{WindowEvent::MouseMove};
            move.x = e.motion.x;
            move.y = e.motion.y;
            // Client positions are picture pixels, whatever size the window has.
            if (display_ && display_->display)
                display_->display->windowToPicture(e.motion.x, e.motion.y, move.x, move.y);
            ready_.push_back(move);
            return;
        }
        case SDL_MOUSEBUTTONDOWN:
            if (e.button.button >= SDL_BUTTON_LEFT && e.button.button <= SDL_BUTTON_RIGHT) {
                // SDL numbers left, middle, right; the engine left, right, middle.
                static const int order[] = {0, 2, 1};
                pending_->buttons[order[e.button.button - SDL_BUTTON_LEFT]] = true;
            }
            return;
        case SDL_MOUSEWHEEL:
            pending_->wheelNotches +=
                e.wheel.direction == SDL_MOUSEWHEEL_FLIPPED ? -e.wheel.y : e.wheel.y;
            return;
        default:
            if (e.type == engineUserEventType()) ready_.push_back({WindowEvent::Music});
            return;
    }
}

bool SdlEventSource::switchesFullScreen(const void* raw) {
    const SDL_KeyboardEvent& key = *static_cast<const SDL_KeyboardEvent*>(raw);
    const SDL_Scancode sc = key.keysym.scancode;
    if ((sc != SDL_SCANCODE_RETURN && sc != SDL_SCANCODE_KP_ENTER) ||
        (key.keysym.mod & KMOD_ALT) == 0 || (key.keysym.mod & (KMOD_CTRL | KMOD_GUI)) != 0) {
        return false;
    }
    // The Enter key stays away from the game until it is let go: no key message, no
    // character, and no press in the keyboard state.
    const int code = keyCodeForScancode(sc);
    if (code >= 0 && code < kKeyboardCodeCount) pending_->swallowed[code] = true;
    if (!key.repeat && display_ && display_->display) display_->display->toggleFullScreen();
    return true;
}

void SdlEngineErrorReporter::showError(const std::string& title, const std::string& text) {
    const char* driver = SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GetCurrentVideoDriver() : nullptr;
    bool real =
        driver && std::strcmp(driver, "dummy") != 0 && std::strcmp(driver, "offscreen") != 0;
    if (real &&
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), text.c_str(), nullptr) == 0) {
        return;
    }
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
}

void SdlEngineErrorReporter::requestQuit(int code) {
    events_.postQuit(code);
}

bool startSdlEvents() {
    return SDL_InitSubSystem(SDL_INIT_EVENTS) == 0;
}

void prepareMainWindow(SDL_Window* window, bool fullScreen) {
    // The engine draws its own pointer and keeps the screen saver away while it runs.
    SDL_ShowCursor(SDL_DISABLE);
    SDL_DisableScreenSaver();
    SDL_StartTextInput();
    if (window) SDL_RaiseWindow(window);
    if (fullScreen) SDL_SetRelativeMouseMode(SDL_TRUE);
}
