#pragma once
// Fatal errors: a message box titled "Error" (standard error where there is no display),
// then the quit request; the caller carries on and the main loop ends at its next
// message check. Each program gives its engine the reporter of its platform.
#include <string>

class Screen;

class ErrorReporter {
public:
    virtual ~ErrorReporter() = default;
    virtual void showError(const std::string& title, const std::string& text) = 0;
    virtual void requestQuit(int code) = 0;
};

// Writes "title: text" lines to standard error; asks nobody to quit.
class StandardErrorReporter : public ErrorReporter {
public:
    void showError(const std::string& title, const std::string& text) override;
    void requestQuit(int) override {}
};

// Formats the text (at most 1023 bytes), lets the display show the desktop when a screen
// is given, shows the box and requests the quit (code 0).
void reportError(ErrorReporter& reporter, Screen* screen, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
// The same with the text already made.
void reportErrorText(ErrorReporter& reporter, Screen* screen, const std::string& text);
// "DirectDraw Error %s\nFILE: %s\nLINE: %d" with the display error's name.
void reportDisplayError(ErrorReporter& reporter, int code, const char* file, int line);
// The symbolic name of a DisplayError code; "Unknown Error" for any other value.
const char* displayErrorName(int code);
