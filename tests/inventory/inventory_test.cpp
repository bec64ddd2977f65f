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

}  // namespace
