#pragma once
// Leading decimal integers as scripts and view files write them.
#include <cstdint>
#include <string_view>

// Optional white space and sign, then digits, stopping at the first other character;
// 0 when the text does not start with a number. Values beyond 32 bits wrap, so a long
// digit run never overflows into undefined behaviour.
int32_t leadingInteger(std::string_view text);
// True when the text starts with a number by that rule (so leadingInteger reads digits
// from it rather than giving 0 for want of any).
bool startsWithInteger(std::string_view text);
