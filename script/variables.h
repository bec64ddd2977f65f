#pragma once
// The script variable store: ordered by name, case-sensitive; reading an unknown name
// (operator[]) creates it with 0.
#include <cstdint>
#include <map>
#include <string>

using Variables = std::map<std::string, int32_t>;
