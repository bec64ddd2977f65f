#pragma once
// Small text helpers shared by the reader, the writer and the dialogs' logic.
#include <cstdint>
#include <string>

namespace text {

// Removes leading and trailing blanks (space only, as the dialogs' trim does).
std::string trimBlanks(const std::string& s);
// Removes leading and trailing white space of any kind (space, tab, CR, LF, VT, FF).
std::string trimSpace(const std::string& s);
std::string upper(std::string s);
bool startsWithNoCase(const std::string& s, const std::string& prefix);
// Leading decimal integer: optional white space and sign, then digits; 0 without
// digits. Saturates at the 32-bit range instead of wrapping.
int32_t leadingInt(const std::string& s);
// The 16-bit value of a leading integer, held to the 16-bit range.
int16_t leadingInt16(const std::string& s);
// Everything after the last "\" or "/".
std::string baseName(const std::string& path);
// Line breaks of any style (CR LF, CR, LF) turned into CR LF.
std::string toCrLf(const std::string& s);

}  // namespace text
