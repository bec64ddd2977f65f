#pragma once
// Constrained mode's hold on the pointer. A tool asks for it and gives it back; while
// a dialog or a message box is up the hold waits, since the box needs the pointer.
class DrawingArea;

class PointerConfinement {
public:
    explicit PointerConfinement(DrawingArea* area) : area_(area) {}

    void restrict();
    void release();
    void dialogOpened();
    void dialogClosed();

    // Lets the pointer go for the life of a modal prompt.
    class FreePointer {
    public:
        explicit FreePointer(PointerConfinement& confinement);
        ~FreePointer();
        FreePointer(const FreePointer&) = delete;
        FreePointer& operator=(const FreePointer&) = delete;

    private:
        PointerConfinement& confinement_;
    };

private:
    void apply();

    DrawingArea* area_;
    bool wanted_ = false;
    int dialogsOpen_ = 0;
    int prompts_ = 0;
};
