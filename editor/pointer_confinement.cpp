#include "editor/pointer_confinement.h"

#include "editor/drawing_area.h"

void PointerConfinement::restrict() {
    wanted_ = true;
    apply();
}

void PointerConfinement::release() {
    wanted_ = false;
    apply();
}

void PointerConfinement::dialogOpened() {
    ++dialogsOpen_;
    apply();
}

void PointerConfinement::dialogClosed() {
    --dialogsOpen_;
    apply();
}

void PointerConfinement::apply() {
    area_->setConfined(wanted_ && dialogsOpen_ == 0 && prompts_ == 0);
}

PointerConfinement::FreePointer::FreePointer(PointerConfinement& confinement)
    : confinement_(confinement) {
    ++confinement_.prompts_;
    confinement_.apply();
}

PointerConfinement::FreePointer::~FreePointer() {
    --confinement_.prompts_;
    confinement_.apply();
}
