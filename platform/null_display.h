#pragma once
// A display that shows nothing: the headless runner and the tests draw into the
// screen's memory surfaces and read them back.
#include <functional>

#include "platform/screen.h"

class NullDisplay : public DisplayBackend {
public:
    // onShow runs at every show (the headless runner advances its clock there).
    explicit NullDisplay(std::function<void()> onShow = {}) : onShow_(std::move(onShow)) {}

    // 640x480 at 16 and at 15 bits.
    std::vector<DisplayMode> modes() override;
    int openFullScreen(int width, int height, int bits) override;
    int openWindowed(int width, int height) override;
    int show(const Surface& back, bool wait, bool whole) override;

    void setOnShow(std::function<void()> onShow) { onShow_ = std::move(onShow); }
    int shows() const { return shows_; }
    // Only noted: there is no pointer to move.
    void movePointer(int x, int y) override {
        pointerX_ = x;
        pointerY_ = y;
        ++pointerMoves_;
    }
    int pointerMoves() const { return pointerMoves_; }
    void lastPointerMove(int& x, int& y) const {
        x = pointerX_;
        y = pointerY_;
    }

private:
    std::function<void()> onShow_;
    int shows_ = 0;
    int pointerMoves_ = 0, pointerX_ = 0, pointerY_ = 0;
};
