#include "view/coordinates.h"

#include <string>

#include "script/numbers.h"

bool parseCoordinateList(std::string_view word, std::vector<Point>& polygon) {
    std::string accumulator;
    int32_t x = 0;
    bool inParen = false;
    bool clean = true;
    for (char c : word) {
        switch (c) {
            case '(':
                // The accumulator is deliberately kept: files written by hand with stray
                // digits before "(" read the way they always have.
                inParen = true;
                break;
            case ')':
                polygon.push_back(Point{x, leadingInteger(accumulator)});
                accumulator.clear();
                inParen = false;
                break;
            case ',':
                if (inParen) {
                    x = leadingInteger(accumulator);
                    accumulator.clear();
                } else {
                    x = 0;
                }
                break;
            default:
                accumulator += c;
                if (!inParen) clean = false;
                break;
        }
    }
    return clean && accumulator.empty() && !inParen;
}
