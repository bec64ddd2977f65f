#include "media/movie_error.h"

const char* movieErrorText(MovieError error) {
    switch (error) {
        case MovieError::kNone:
            return "No error";
        case MovieError::kNotFound:
            return "Cannot find file";
        case MovieError::kUnreadable:
            return "Not a movie file";
        case MovieError::kNoVideo:
            return "Movie has no pictures";
        case MovieError::kUndecodable:
            return "Cannot decode movie";
        case MovieError::kBadTarget:
            return "Cannot draw movie into this surface";
    }
    return "Unknown movie error";
}
