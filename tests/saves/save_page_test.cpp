// The page's hit areas (inclusive at every edge), their order, and paging.
#include "game/save_page.h"

#include <gtest/gtest.h>

namespace {

TEST(SavePageLayout, AreasAreInclusiveAndTestedInOrder) {
    struct Case {
        int x, y;
        PageHit::Area area;
        int position;
    };
    const Case cases[] = {
        {30, 100, PageHit::Slot, 0},       {190, 220, PageHit::Slot, 0},
        {191, 220, PageHit::None, -1},     {190, 221, PageHit::None, -1},
        {29, 150, PageHit::None, -1},      {240, 100, PageHit::Slot, 1},
        {610, 220, PageHit::Slot, 2},      {30, 290, PageHit::Slot, 3},
        {400, 410, PageHit::Slot, 4},      {611, 410, PageHit::None, -1},
        {450, 290, PageHit::Slot, 5},      {243, 457, PageHit::Previous, -1},
        {263, 477, PageHit::Previous, -1}, {264, 477, PageHit::None, -1},
        {378, 457, PageHit::Next, -1},     {398, 477, PageHit::Next, -1},
        {377, 460, PageHit::None, -1},     {576, 448, PageHit::Exit, -1},
        {640, 480, PageHit::Exit, -1},     {575, 470, PageHit::None, -1},
        {600, 447, PageHit::None, -1},
    };
    for (const Case& c : cases) {
        PageHit hit = hitTestPage(c.x, c.y);
        EXPECT_EQ(hit.area, c.area) << c.x << "," << c.y;
        EXPECT_EQ(hit.position, c.position) << c.x << "," << c.y;
    }
}

TEST(SavePageLayout, PagesWrapAndNumberTheirSlots) {
    SavePage page;
    EXPECT_EQ(page.slot(0), 1);
    page.previous();
    EXPECT_EQ(page.page, 4);
    EXPECT_EQ(page.slot(5), 30);
    page.next();
    EXPECT_EQ(page.page, 0);
    page.page = 2;
    EXPECT_EQ(page.slot(1), 14);
    page.used[3] = true;
    page.dates[3] = "2026";
    page.clearSlots();
    EXPECT_FALSE(page.used[3]);
    EXPECT_EQ(page.dates[3], "XXXX-XX-XX");
    EXPECT_EQ(page.times[0], "XX:XX:XX");
}

}  // namespace
