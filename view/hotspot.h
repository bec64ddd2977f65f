#pragma once
// A polygonal region of a view that reacts to the pointer.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/message_sink.h"
#include "script/variables.h"
#include "view/point.h"

class Hotspot {
public:
    virtual ~Hotspot() = default;

    // Integer crossing test; half-open so neighbouring polygons never both claim a point.
    bool contains(int32_t x, int32_t y) const;
    // Appends the vertices of a coordinate-list word; false when the word is malformed.
    bool setCoordinates(const std::string& word);
    // Stores the condition and evaluates it against `variables` ("()" is no condition);
    // a condition that cannot be read is reported on `output` and counts as its result.
    void setCondition(const std::string& text, Variables& variables, MessageSink& output);
    void reevaluate(Variables& variables, MessageSink& output) {
        setCondition(condition_, variables, output);
    }

    const std::vector<Point>& polygon() const { return polygon_; }
    // The polygon's extent: no point outside minX..maxX, (minY, maxY] is ever inside.
    // Only meaningful with at least one vertex.
    int32_t minX() const { return minX_; }
    int32_t maxX() const { return maxX_; }
    int32_t minY() const { return minY_; }
    int32_t maxY() const { return maxY_; }
    std::string name() const { return name_; }
    void setName(const std::string& name) { name_ = name; }
    int32_t cursor() const { return cursor_; }
    void setCursor(int32_t cursor) { cursor_ = cursor; }
    const std::string& condition() const { return condition_; }
    bool conditionResult() const { return conditionResult_; }
    // Sets the stored result without evaluating (a game state put back as it was).
    void setConditionResult(bool result) { conditionResult_ = result; }
    bool enabled() const { return enabled_; }
    void setEnabled(bool enabled) { enabled_ = enabled; }
    bool active() const { return enabled_ && conditionResult_; }
    const std::vector<std::string>& clickScript() const { return clickScript_; }
    void addClickLine(const std::string& line) { clickScript_.push_back(line); }

private:
    std::vector<Point> polygon_;
    int32_t minX_ = 0, maxX_ = 0, minY_ = 0, maxY_ = 0;
    std::string name_;
    int32_t cursor_ = 0;
    std::string condition_;
    std::vector<std::string> clickScript_;
    bool conditionResult_ = true;
    bool enabled_ = true;
};
