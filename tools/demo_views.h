#pragma once
// The demo game's pictures: one painter per base image. Hotspot polygons in demo/*.scn
// follow the shapes placed here.
#include "tools/canvas.h"

void paintGate(Canvas& c);
void paintCourtyard(Canvas& c, bool doorOpen, bool horseOnPedestal);
void paintGarden(Canvas& c, bool horseOnBench);
void paintWell(Canvas& c);
void paintHall(Canvas& c);
void paintLibrary(Canvas& c, bool passageOpen);
void paintTower(Canvas& c);
void paintEnding(Canvas& c);
void paintSaveLoad(Canvas& c);
void paintTestPattern(Canvas& c);
// The little horse figurine, standing on its base at (x, y) (bottom centre).
void paintHorse(Canvas& c, float x, float y, float scale);
