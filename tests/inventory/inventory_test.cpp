#include "game/inventory.h"

#include "support/engine_test.h"

namespace {

using ::testing::ElementsAre;
using InventoryTest = EngineTest;

TEST_F(InventoryTest, CommandsUseTheItemTable) {
    g().inventory.itemTable["inv_horse"] = 1;
    run({"addinv inv_horse", "addinv inv_knight", "addinv", "delinv"});
    EXPECT_THAT(g().inventory.items, ElementsAre(1));
    EXPECT_THAT(texts(),
                ElementsAre("Error in Cmd: addinv inv_knight", "No index for inventory item found",
                            "Error in Cmd: addinv", "Too few arguments", "Error in Cmd: delinv",
                            "Too few arguments"));
    cycleInventory();  // holding an entry enters the knight into the table
    lines.clear();
    run({"addinv inv_knight", "addinv inv_horse"});
    EXPECT_TRUE(lines.empty());
    EXPECT_THAT(g().inventory.items, ElementsAre(1, 0, 1));
}

TEST_F(InventoryTest, DelinvRemovesTheFirstMatchAndDropsTheSelection) {
    g().inventory.itemTable["inv_horse"] = 1;
    g().inventory.items = {1, 1};
    g().inventory.selection = 1;
    run({"delinv inv_horse"});
    EXPECT_THAT(g().inventory.items, ElementsAre(1));
    EXPECT_EQ(g().inventory.selection, -1);
    g().inventory.items = {5};
    g().inventory.selection = 0;
    run({"delinv inv_horse"});  // not carried: nothing changes
    EXPECT_EQ(g().inventory.selection, 0);
}

TEST_F(InventoryTest, CyclingRunsThroughTheListAndBackToNothing) {
    cycleInventory();
    EXPECT_EQ(g().inventory.selection, -1);
    EXPECT_EQ(g().inventory.anim, nullptr);
    g().inventory.items = {1, 0, 4};
    std::vector<int> selections, held;
    for (int i = 0; i < 5; ++i) {
        cycleInventory();
        selections.push_back(g().inventory.selection);
        held.push_back(g().inventory.held());
        EXPECT_EQ(g().inventory.anim != nullptr, g().inventory.selection != -1);
    }
    EXPECT_THAT(selections, ElementsAre(0, 1, 2, -1, 0));
    EXPECT_THAT(held, ElementsAre(1, 0, 4, -1, 1));
    EXPECT_EQ(g().inventory.itemTable.at("inv_knight"), 0);
}

// The knight sheet goes with the list position equal to the knight's item number, not
// with the entry that holds the knight.
TEST_F(InventoryTest, TheKnightSheetFollowsThePositionNotTheItem) {
    addScreen();
    Picture sheet;
    sheet.width = 640;
    sheet.height = 64;
    sheet.bitsPerPixel = 24;
    sheet.stride = 640 * 3;
    sheet.pixels.assign(sheet.stride * 64, 0x80);
    ASSERT_TRUE(writeBmp24(path("invknight.bmp"), sheet));
    struct Row {
        int knightNumber;  // -1: left for cycling to enter (as 0)
        std::vector<int32_t> items;
        std::vector<bool> knightAt;  // per position
    };
    const Row rows[] = {
        {-1, {1, 0, 4}, {true, false, false}},
        {-1, {0, 0}, {true, false}},
        {2, {1, 5, 7, 2}, {false, false, true, false}},
        {1, {1}, {false}},
    };
    for (const Row& row : rows) {
        g().inventory = Inventory();
        if (row.knightNumber >= 0) g().inventory.itemTable["inv_knight"] = row.knightNumber;
        g().inventory.items = row.items;
        for (size_t position = 0; position < row.items.size(); ++position) {
            cycleInventory();
            ASSERT_EQ(g().inventory.selection, static_cast<int>(position));
            ASSERT_TRUE(g().inventory.anim);
            const bool knight = g().inventory.anim->frameCount() > 0;
            EXPECT_EQ(knight, row.knightAt[position]) << "position " << position;
            if (knight) {
                EXPECT_EQ(g().inventory.anim->frameCount(), 10);
            }
        }
        cycleInventory();
        EXPECT_EQ(g().inventory.anim, nullptr);
    }
}

}  // namespace
