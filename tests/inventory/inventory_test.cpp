#include "game/inventory.h"

#include "script/script_test_fixture.h"

namespace {

using ::testing::ElementsAre;
using Inventory = ScriptTest;

TEST_F(Inventory, CommandsUseTheItemTable) {
    game().inventoryItems["inv_horse"] = 1;
    run({"addinv inv_horse", "addinv inv_knight", "addinv", "delinv"});
    EXPECT_THAT(game().inventory, ElementsAre(1));
    EXPECT_THAT(texts(),
                ElementsAre("Error in Cmd: addinv inv_knight", "No index for inventory item found",
                            "Error in Cmd: addinv", "Too few arguments", "Error in Cmd: delinv",
                            "Too few arguments"));
    cycleInventory();  // holding an entry enters the knight into the table
    lines.clear();
    run({"addinv inv_knight", "addinv inv_horse"});
    EXPECT_TRUE(lines.empty());
    EXPECT_THAT(game().inventory, ElementsAre(1, 0, 1));
}

TEST_F(Inventory, DelinvRemovesTheFirstMatchAndDropsTheSelection) {
    game().inventoryItems["inv_horse"] = 1;
    game().inventory = {1, 1};
    game().inventorySelection = 1;
    run({"delinv inv_horse"});
    EXPECT_THAT(game().inventory, ElementsAre(1));
    EXPECT_EQ(game().inventorySelection, -1);
    game().inventory = {5};
    game().inventorySelection = 0;
    run({"delinv inv_horse"});  // not carried: nothing changes
    EXPECT_EQ(game().inventorySelection, 0);
}

TEST_F(Inventory, CyclingRunsThroughTheListAndBackToNothing) {
    cycleInventory();
    EXPECT_EQ(game().inventorySelection, -1);
    EXPECT_EQ(game().inventoryAnim, nullptr);
    game().inventory = {1, 0, 4};
    std::vector<int> selections, held;
    for (int i = 0; i < 5; ++i) {
        cycleInventory();
        selections.push_back(game().inventorySelection);
        held.push_back(heldInventoryItem());
        EXPECT_EQ(game().inventoryAnim != nullptr, game().inventorySelection != -1);
    }
    EXPECT_THAT(selections, ElementsAre(0, 1, 2, -1, 0));
    EXPECT_THAT(held, ElementsAre(1, 0, 4, -1, 1));
    EXPECT_EQ(game().inventoryItems.at("inv_knight"), 0);
}

}  // namespace
