#include "engine/pointer.h"

#include "engine/console.h"
#include "engine/engine.h"
#include "engine/game_state.h"

namespace {

enum Shape {
    InTransition = 0,
    Idle = 1,
    Forward = 2,
    Backward = 3,
    Left = 4,
    Right = 5,
    Interact = 6,
    Take = 7
};

constexpr int kSheetFrameSize = 64;
constexpr int kSheetFrames = 6;

struct Sheet {
    const char* file;
    uint16_t delay;
};

// The transition sheet between idle and a shape; interact has none.
Sheet sheetOf(int shape) {
    switch (shape) {
        case Forward:
            return {"idle2forward.bmp", 50};
        case Backward:
            return {"idle2backward.bmp", 50};
        case Left:
            return {"idle2left.bmp", 50};
        case Right:
            return {"idle2right.bmp", 75};
        case Take:
            return {"idle2take.bmp", 50};
        default:
            return {nullptr, 0};
    }
}

// Plays `sheetShape`'s sheet (backwards when leaving it) and shows `target` after it.
void startTransition(int sheetShape, int target, bool reverse) {
    GameState& g = game();
    Sheet sheet = sheetOf(sheetShape);
    g.pointerShape = InTransition;
    g.pointerTransition = std::make_unique<FrameAnimation>();
    g.pointerTarget = target;
    if (!sheet.file) return;
    AnimationSettings settings;
    settings.frameWidth = settings.frameHeight = kSheetFrameSize;
    settings.frameCount = kSheetFrames;
    settings.frameDelay = sheet.delay;
    settings.reverse = reverse;
    settings.depth = 1;
    int loaded = g.pointerTransition->load(g.screen.get(), sheet.file, settings);
    if (loaded != 1 && g.reportedMissing.insert(sheet.file).second) {
        reportCouldNotLoad(sheet.file);
    }
}

void into(int shape) {
    startTransition(shape, shape, false);
}
void outOf(int shape, int target) {
    startTransition(shape, target, true);
}

bool isOneOf(int shape, std::initializer_list<int> shapes) {
    for (int s : shapes) {
        if (s == shape) return true;
    }
    return false;
}

// At most one transition starts per frame, since starting one leaves the shape at 0.
void chooseShape(int kind) {
    GameState& g = game();
    int shape = g.pointerShape;
    switch (kind) {
        case -1:
        case 0:
            if (isOneOf(shape, {Forward, Left, Right, Backward, Take})) {
                outOf(shape, Idle);
            } else if (shape == Interact) {
                g.pointerShape = Idle;
            }
            break;
        case Forward:
        case Backward:
        case Left:
        case Right:
            if (shape == Idle || shape == Interact) {
                into(kind);
            } else if (isOneOf(shape, {Forward, Backward, Left, Right, Take}) && shape != kind) {
                outOf(shape, Idle);
            }
            break;
        case Interact:
            if (isOneOf(shape, {Forward, Take, Backward})) {
                outOf(shape, Interact);
            } else if (shape == Left || shape == Right) {
                outOf(shape, Idle);
            } else if (shape == Idle) {
                g.pointerShape = Interact;
            }
            break;
        case Take:
            if (shape == Idle) {
                into(Take);
            } else if (isOneOf(shape, {Forward, Backward, Left, Right})) {
                outOf(shape, Idle);
            } else if (shape == Interact) {
                g.pointerShape = Idle;
            }
            break;
        default:
            break;
    }
}

void drawStill(Surface* image, Surface& back, int x, int y) {
    if (image && image->valid()) image->drawKeyed(back, x, y);
}

void drawAnimated(FrameAnimation* anim, Surface& back, int x, int y) {
    if (anim) anim->draw(x, y, back, DrawMode::Keyed);
}

}  // namespace

void drawPointer(int kind, int x, int y) {
    GameState& g = game();
    if (!g.screen) return;
    Surface& back = g.screen->back();

    if (g.inventoryAnim && g.inventorySelection != -1) {
        // The held item moves only over hotspots where it can be used.
        if (kind == Take) {
            g.inventoryAnim->draw(x, y, back, DrawMode::Keyed);
        } else {
            g.inventoryAnim->drawFrame(x, y, 0, back, DrawMode::Keyed);
        }
        g.pointerShape = Idle;
        g.pointerTransition.reset();
        return;
    }

    if (!g.pointerTransition) chooseShape(kind);

    if (g.pointerTransition) {
        g.pointerTransition->draw(x, y, back, DrawMode::Keyed);
        // A sheet that could not be loaded has no frames: it is over at once, so the
        // pointer never stays invisible waiting for it.
        if (g.pointerTransition->isFinished() || g.pointerTransition->frameCount() == 0) {
            g.pointerTransition.reset();
            g.pointerShape = g.pointerTarget;
            g.pointerTarget = -1;
        }
        return;
    }

    switch (kind) {
        case -1:
        case 0:
            drawStill(g.pointerIdle.get(), back, x, y);
            break;
        case Forward:
            if (g.pointerShape == Forward) drawStill(g.pointerForward.get(), back, x, y);
            break;
        case Backward:
            if (g.pointerShape == Backward) drawStill(g.pointerBackward.get(), back, x, y);
            break;
        case Left:
            if (g.pointerShape == Left) drawStill(g.pointerLeft.get(), back, x, y);
            break;
        case Right:
            if (g.pointerShape == Right) drawStill(g.pointerRight.get(), back, x, y);
            break;
        case Interact:
            if (g.pointerShape == Interact) drawAnimated(g.interactAnim.get(), back, x, y);
            break;
        case Take:
            if (g.pointerShape == Take) drawAnimated(g.takeAnim.get(), back, x, y);
            break;
        default:
            break;
    }
}

void resetPointer() {
    GameState& g = game();
    g.pointerShape = Idle;
    g.pointerTarget = 0;
    g.pointerTransition.reset();
}
