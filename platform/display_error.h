#pragma once
// Failure codes of the display layer (negative). The first six double as the results
// of Screen::createFullScreen; reportDisplayError names every one of them.
enum DisplayError : int {
    kDisplayOk = 0,
    kDisplayNoService = -1,
    kDisplayAccessRefused = -2,
    kDisplayModeNotSet = -4,
    kDisplayNoFrontSurface = -8,
    kDisplayNoSystemFrontSurface = -16,
    kDisplayNoBackBuffer = -32,
    kDisplayOutOfMemory = -64,
    kDisplayInvalidParams = -65,
    kDisplayIncompatibleFormats = -66,
    kDisplayUnsupportedFormat = -67,
    kDisplayNoSurface = -68,
    kDisplayPresentFailed = -69,
    kDisplayTextureUpdateFailed = -70,
    kDisplayNoFont = -71,
    kDisplayTextRenderFailed = -72,
};
