#include "engine/pointer.h"

#include "engine/assets.h"
#include "engine/game_files.h"
#include "game/inventory.h"

namespace {

// The transition sheet between idle and a shape; null for interact, which has none.
const game_files::Sheet* sheetOf(int shape) {
    switch (shape) {
        case Forward:
            return &game_files::kIdleToForward;
        case Backward:
            return &game_files::kIdleToBackward;
        case Left:
            return &game_files::kIdleToLeft;
        case Right:
            return &game_files::kIdleToRight;
        case Take:
            return &game_files::kIdleToTake;
        default:
            return nullptr;
    }
}

bool isOneOf(int shape, std::initializer_list<int> shapes) {
    for (int s : shapes) {
        if (s == shape) return true;
    }
    return false;
}

void drawStill(Surface* image, Surface& back, int x, int y) {
    if (image && image->valid()) image->drawKeyed(back, x, y);
}

void drawAnimated(FrameAnimation* anim, Surface& back, int x, int y) {
    if (anim) anim->draw(x, y, back, DrawMode::Keyed);
}

}  // namespace

// Plays `sheetShape`'s sheet (backwards when leaving it) and shows `next` after it.
void Pointer::startTransition(int sheetShape, int next, bool reverse, Assets& assets) {
    const game_files::Sheet* sheet = sheetOf(sheetShape);
    shape = InTransition;
    target = next;
    transition = sheet ? assets.sheet(sheet->file, sheet->settings(reverse))
                       : std::make_unique<FrameAnimation>();
}

// At most one transition starts per frame, since starting one leaves the shape at 0.
void Pointer::chooseShape(int kind, Assets& assets) {
    auto into = [&](int sheetShape) { startTransition(sheetShape, sheetShape, false, assets); };
    auto outOf = [&](int sheetShape, int next) { startTransition(sheetShape, next, true, assets); };
    int current = shape;
    switch (kind) {
        case -1:
        case 0:
            if (isOneOf(current, {Forward, Left, Right, Backward, Take})) {
                outOf(current, Idle);
            } else if (current == Interact) {
                shape = Idle;
            }
            break;
        case Forward:
        case Backward:
        case Left:
        case Right:
            if (current == Idle || current == Interact) {
                into(kind);
            } else if (isOneOf(current, {Forward, Backward, Left, Right, Take}) &&
                       current != kind) {
                outOf(current, Idle);
            }
            break;
        case Interact:
            if (isOneOf(current, {Forward, Take, Backward})) {
                outOf(current, Interact);
            } else if (current == Left || current == Right) {
                outOf(current, Idle);
            } else if (current == Idle) {
                shape = Interact;
            }
            break;
        case Take:
            if (current == Idle) {
                into(Take);
            } else if (isOneOf(current, {Forward, Backward, Left, Right})) {
                outOf(current, Idle);
            } else if (current == Interact) {
                shape = Idle;
            }
            break;
        default:
            break;
    }
}

void Pointer::draw(int kind, int x, int y, Surface& back, Inventory& inventory, Assets& assets) {
    if (inventory.anim && inventory.selection != -1) {
        // The held item moves only over hotspots where it can be used.
        if (kind == Take) {
            inventory.anim->draw(x, y, back, DrawMode::Keyed);
        } else {
            inventory.anim->drawFrame(x, y, 0, back, DrawMode::Keyed);
        }
        shape = Idle;
        transition.reset();
        return;
    }

    if (!transition) chooseShape(kind, assets);

    if (transition) {
        transition->draw(x, y, back, DrawMode::Keyed);
        // A sheet that could not be loaded has no frames: it is over at once, so the
        // pointer never stays invisible waiting for it.
        if (transition->isFinished() || transition->frameCount() == 0) {
            transition.reset();
            shape = target;
            target = -1;
        }
        return;
    }

    switch (kind) {
        case -1:
        case 0:
            drawStill(idle.get(), back, x, y);
            break;
        case Forward:
            if (shape == Forward) drawStill(forward.get(), back, x, y);
            break;
        case Backward:
            if (shape == Backward) drawStill(backward.get(), back, x, y);
            break;
        case Left:
            if (shape == Left) drawStill(left.get(), back, x, y);
            break;
        case Right:
            if (shape == Right) drawStill(right.get(), back, x, y);
            break;
        case Interact:
            if (shape == Interact) drawAnimated(interactAnim.get(), back, x, y);
            break;
        case Take:
            if (shape == Take) drawAnimated(takeAnim.get(), back, x, y);
            break;
        default:
            break;
    }
}

void Pointer::drawOnPage(bool overActiveArea, int x, int y, Surface& back) {
    shape = overActiveArea ? Interact : Idle;
    if (shape == Idle)
        drawStill(idle.get(), back, x, y);
    else
        drawAnimated(interactAnim.get(), back, x, y);
}

void Pointer::reset() {
    shape = Idle;
    target = 0;
    transition.reset();
}
