#pragma once
// Recognises picture files by their content and decodes them into a Picture.
#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/image/picture.h"

namespace ImageReader {

enum Type { Unsupported = 0, Bitmap = 1, Photoshop = 2, Targa = 3, Pcx = 4, Jpeg = 5 };

// The type code of the bytes, tested in a fixed order; 0 when none matches.
int detect(const uint8_t* bytes, size_t size);

// Decodes bytes of the given type (0: detect it). False on any failure, with `out`
// left empty; the reason goes to `error` when given (never shown to the player).
bool decode(const uint8_t* bytes, size_t size, int type, Picture& out,
            std::string* error = nullptr);

// Reads the whole file and decodes it.
bool readFile(const std::string& path, Picture& out, int type = 0, std::string* error = nullptr);

}  // namespace ImageReader

// Pictures stored in the program, used when a game folder lacks the file.
bool builtinPicture(const std::string& name, Picture& out);
