#include <cstdarg>
#include <cstdio>

#include "platform/error_reporter.h"
#include "platform/screen.h"

namespace {

struct ErrorName {
    int code;
    const char* name;
};

// Our display layer's failures, named after the SDL step or condition behind them.
constexpr ErrorName kErrorNames[] = {
    {kDisplayOk, "DISPLAY_OK"},
    {kDisplayNoService, "DISPLAYERR_NOSERVICE"},
    {kDisplayAccessRefused, "DISPLAYERR_SDL_CREATEWINDOW"},
    {kDisplayModeNotSet, "DISPLAYERR_MODENOTSET"},
    {kDisplayNoFrontSurface, "DISPLAYERR_SDL_CREATERENDERER"},
    {kDisplayNoSystemFrontSurface, "DISPLAYERR_SDL_CREATESOFTWARERENDERER"},
    {kDisplayNoBackBuffer, "DISPLAYERR_SDL_CREATETEXTURE"},
    {kDisplayOutOfMemory, "DISPLAYERR_OUTOFMEMORY"},
    {kDisplayInvalidParams, "DISPLAYERR_INVALIDPARAMS"},
    {kDisplayIncompatibleFormats, "DISPLAYERR_INCOMPATIBLEFORMATS"},
    {kDisplayUnsupportedFormat, "DISPLAYERR_UNSUPPORTEDFORMAT"},
    {kDisplayNoSurface, "DISPLAYERR_NOSURFACE"},
    {kDisplayPresentFailed, "DISPLAYERR_SDL_RENDERCOPY"},
    {kDisplayTextureUpdateFailed, "DISPLAYERR_SDL_UPDATETEXTURE"},
    {kDisplayNoFont, "DISPLAYERR_NOFONT"},
    {kDisplayTextRenderFailed, "DISPLAYERR_TTF_RENDER"},
};

}  // namespace

void StandardErrorReporter::showError(const std::string& title, const std::string& text) {
    std::fprintf(stderr, "%s: %s\n", title.c_str(), text.c_str());
}

const char* displayErrorName(int code) {
    for (const ErrorName& e : kErrorNames)
        if (e.code == code) return e.name;
    return "Unknown Error";
}

void reportError(ErrorReporter& reporter, Screen* screen, const char* format, ...) {
    char text[1024];
    va_list args;
    va_start(args, format);
    std::vsnprintf(text, sizeof text, format ? format : "", args);  // truncates safely
    va_end(args);
    reportErrorText(reporter, screen, text);
}

void reportErrorText(ErrorReporter& reporter, Screen* screen, const std::string& text) {
    if (screen && screen->displayBackend()) screen->displayBackend()->releaseForMessage();
    reporter.showError("Error", text);
    reporter.requestQuit(0);
}

void reportDisplayError(ErrorReporter& reporter, int code, const char* file, int line) {
    char text[1024];
    std::snprintf(text, sizeof text, "DirectDraw Error %s\nFILE: %s\nLINE: %d",
                  displayErrorName(code), file ? file : "", line);
    reporter.showError("Error", text);
    reporter.requestQuit(0);
}
