#pragma once
// Pictures drawn by the program itself, standing in for game files that are missing.
#include <string>

#include "platform/image/picture.h"

// The stored picture of that file name (a path is reduced to its last part); false
// when there is none by that name.
bool builtinPicture(const std::string& name, Picture& out);
