#pragma once
// Replaces a file in one step: the bytes go to a temporary file in the same folder,
// which is renamed over the target only once it is complete, so a failed write never
// leaves a partial file or clobbers the old one.
#include <cstddef>
#include <cstdint>
#include <string>

bool writeFileAtomically(const std::string& path, const uint8_t* bytes, size_t size);
