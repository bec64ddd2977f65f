// vorlen-check on the labels files of accessible play.
#include <gtest/gtest.h>

#include "checker_test_support.h"

using checker_test::checkGame;
using checker_test::hotspot;
using checker_test::view;

namespace {

TEST(HotspotLabels, WarnsAboutMissingAndStrayLabels) {
    struct Case {
        const char* file;
        const char* text;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {nullptr, "", {}},
        {"labels.txt",
         "init.scn = the hall\ninit.scn door = the door\ninit.scn lamp = the lamp\nitem 1 = a "
         "horse\n",
         {}},
        {"labels.txt",
         "init.scn door = the door\n",
         {"labels.txt: warning: no label for view 'init.scn'",
          "labels.txt: warning: no label for hotspot 'lamp' of 'init.scn': its name is spoken "
          "instead"}},
        {"labels.de.txt",
         "init.scn = die Halle\ninit.scn door = die Tür\ninit.scn lamp = die Lampe\n"
         "init.scn sofa = das Sofa\nhall.scn = x\nitem 2 = y\nitem 1 = z\nnonsense\n",
         {"labels.de.txt:4: warning: view 'init.scn' has no hotspot 'sofa'",
          "labels.de.txt:5: warning: no view file 'hall.scn'",
          "labels.de.txt:6: warning: no item has the number 2",
          "labels.de.txt:8: warning: no \"=\" between a name and its label"}},
    };
    for (const Case& c : cases) {
        headless_test::GameFolder game;
        checker_test::writeEngineFiles(game);
        game.write("init.scn", view("", hotspot("door", "beep\n") + hotspot("lamp", "beep\n")));
        if (c.file) game.write(c.file, c.text);
        EXPECT_EQ(checkGame(game, c.file ? c.file : "labels.txt"), c.expected) << c.text;
    }
}

}  // namespace
