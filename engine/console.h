#pragma once
// The console log: every status and error line of the engine and of scripts.
#include <cstdint>
#include <string>

constexpr uint32_t kWhite = 0xFFFFFF;  // 0x00BBGGRR
constexpr uint32_t kRed = 0x0000FF;

// Appends a numbered line to the log and scrolls the panel to the end.
void consolePrint(const std::string& text, uint32_t colour);

// Once per frame while the panel is shown: keys, typing and drawing.
void runConsole();

// What Enter does with the typed line: trimmed, and if anything is left, the panel
// scrolls to the end and the line runs as a one-line script in console mode.
void runConsoleLine(const std::string& line);

// Whether the console accepts a typed character into its input line.
bool consoleAccepts(char c);
