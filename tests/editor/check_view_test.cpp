// Check View: the checker's JSON lines read back, and the dock filled by the real
// vorlen-check on the open view, a click on a line selecting its hotspot.
#include "editor/check_view.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "editor/check_view_dock.h"
#include "editor/main_window.h"
#include "platform/image/bmp_writer.h"
#include "platform/image/picture.h"

namespace fs = std::filesystem;

namespace {

TEST(CheckViewLines, ReadsTheCheckersJsonLines) {
    const std::string output =
        "{\"file\":\"init.scn\",\"line\":12,\"severity\":\"error\",\"text\":\"unknown command "
        "'bleep'\",\"hotspot\":1,\"hotspotName\":\"door\"}\n"
        "not json\n"
        "{\"file\":\"init.scn\",\"line\":2,\"severity\":\"warning\",\"text\":\"base image "
        "'b.bmp' is 320x240; views are 640x480\"}";
    std::vector<Diagnostic> found = checkview::parseOutput(output);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(checkview::listText(found[0]),
              "line 12: error: unknown command 'bleep'  [hotspot door]");
    EXPECT_EQ(found[0].hotspot, 1);
    EXPECT_EQ(checkview::listText(found[1]),
              "line 2: warning: base image 'b.bmp' is 320x240; views are 640x480");
    EXPECT_EQ(checkview::checkerArguments("/tmp/x"),
              (std::vector<std::string>{"--json", "--view", "init.scn", "/tmp/x"}));
}

TEST(CheckViewDockWindow, ListsTheProblemsAndSelectsTheirHotspot) {
    if (!qApp) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "test_editor";
        static char* argv[] = {name, nullptr};
        new QApplication(argc, argv);
    }
    // The checker lies in the build tree's root.
    const char* build = std::getenv("VORLEN_BUILD_DIR");
    const std::string buildDir = build ? build : VORLEN_BUILD_DIR_DEFAULT;
    const std::string path = std::getenv("PATH") ? std::getenv("PATH") : "";
    setenv("PATH", (buildDir + ":" + path).c_str(), 1);

    const fs::path dir = fs::temp_directory_path() / ("pandrel-check-" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    Picture base;
    base.width = 640;
    base.height = 480;
    base.bitsPerPixel = 24;
    base.stride = 640 * 3;
    base.pixels.assign(base.stride * 480, 90);
    ASSERT_TRUE(writeBmp24((dir / "room.bmp").string(), base));
    std::ofstream(dir / "room.scn")
        << "VIEW room\nBASEIMAGE room.bmp\nONLOADSTART\nONLOADEND\n"
           "HOTSPOTSTART lamp\nCURSOR 6\nCOORD (10,10),(90,10),(90,90)\nONCONDITION ()\n"
           "ONCLICKSTART\nbeep\nONCLICKEND\nHOTSPOTEND\n"
           "HOTSPOTSTART door\nCURSOR 2\nCOORD (200,10),(300,10),(300,90)\nONCONDITION ()\n"
           "ONCLICKSTART\nbleep\nONCLICKEND\nHOTSPOTEND\n";
    {
        Form1 form;
        ASSERT_TRUE(form.openFrom(QString::fromStdString((dir / "room.scn").string())));
        form.findChild<QAction*>("checkview")->trigger();
        auto* list = form.findChild<QListWidget*>("checklist");
        ASSERT_NE(list, nullptr);
        ASSERT_EQ(list->count(), 1);
        EXPECT_EQ(list->item(0)->text().toStdString(),
                  "line 18: error: unknown command 'bleep'; did you mean 'beep'?  [hotspot door]");
        EXPECT_EQ(form.model().selectedShape, 0);
        list->setCurrentRow(0);
        EXPECT_EQ(form.model().selectedShape, 2);
    }
    fs::remove_all(dir);
}

}  // namespace
