#include "support/engine_test.h"
#include "view/view.h"

namespace {

using ::testing::ElementsAre;
using ViewReader = EngineTest;

const char* const kGood =
    "VIEW hall\r\n"
    "BASEIMAGE hall.jpg\r\n"
    "ONLOADSTART\r\n"
    "   let a=1   \r\n"
    "\r\n"
    "echo a\r\n"
    "  ONLOADEND  \r\n"
    "HOTSPOTSTART door\r\n"
    "CURSOR 2\r\n"
    "COORD (100,100),(200,100),(200,200),(100,200)\r\n"
    "ONCONDITION ()\r\n"
    "ONCLICKSTART\r\n"
    "load room2.scn\r\n"
    "ONCLICKEND\r\n"
    "HOTSPOTEND \r\n"
    "HOTSPOTSTART lamp\r\n"
    "CURSOR 7x\r\n"
    "COORD (1,2),(5)\r\n"
    "ONCONDITION (a==1)\r\n"
    "ONCLICKSTART\r\n"
    "ONCLICKEND\r\n"
    "HOTSPOTEND \r\n";

TEST_F(ViewReader, ReadsAWholeFile) {
    write("hall.scn", kGood);
    View view(g().variables, g().console);
    std::string error;
    EXPECT_TRUE(view.load("hall.scn", engine->folder(), error));
    EXPECT_EQ(error, "");
    EXPECT_EQ(view.fileName(), "hall.scn");
    EXPECT_EQ(view.name(), "hall");
    EXPECT_EQ(view.baseImage(), "hall.jpg");
    EXPECT_THAT(view.onLoadScript(), ElementsAre("let a=1", "echo a"));
    ASSERT_EQ(view.hotspotCount(), 2u);
    EXPECT_EQ(view.hotspot(0).name(), "door");
    EXPECT_EQ(view.hotspot(0).cursor(), 2);
    EXPECT_EQ(view.hotspot(0).polygon().size(), 4u);
    EXPECT_THAT(view.hotspotClickScript(0), ElementsAre("load room2.scn"));
    EXPECT_EQ(view.hotspot(1).cursor(), 7);
    ASSERT_EQ(view.hotspot(1).polygon().size(), 2u);
    EXPECT_EQ(view.hotspot(1).polygon()[1].x, 0);
    EXPECT_EQ(view.hotspot(1).polygon()[1].y, 5);
    // The condition is evaluated as it is read, before the on-load script runs.
    EXPECT_EQ(view.hotspot(1).condition(), "(a==1)");
    EXPECT_FALSE(view.hotspot(1).conditionResult());
    EXPECT_TRUE(view.hotspotClickScript(1).empty());
}

TEST_F(ViewReader, WordsMayShareLinesAndScriptsStartOnTheKeywordLine) {
    write("a.scn", "VIEW v BASEIMAGE NONE ONLOADSTART echo 1\n  echo 2\nONLOADEND");
    View view(g().variables, g().console);
    std::string error;
    EXPECT_TRUE(view.load("a.scn", engine->folder(), error));
    EXPECT_EQ(view.baseImage(), "testpat.jpg");
    EXPECT_THAT(view.onLoadScript(), ElementsAre("echo 1", "echo 2"));
    write("b.scn", "VIEW v\nBASEIMAGE None\nONLOADSTART\nONLOADEND\n\n");
    View other(g().variables, g().console);
    EXPECT_TRUE(other.load("b.scn", engine->folder(), error));
    EXPECT_EQ(other.baseImage(), "None");
    EXPECT_EQ(other.hotspotCount(), 0u);
}

struct BadFile {
    const char* content;
    const char* error;
};

TEST_F(ViewReader, ReportsEachMissingKeyword) {
    const BadFile cases[] = {
        {"", "Expected Header"},
        {"VIEWS x", "Expected Header"},
        {"VIEW \nBASEIMAGE a.jpg\n", "Expected BASEIMAGE"},
        {"VIEW v\nBASEIMAGE \nONLOADSTART\nONLOADEND\n", "Expected ONLOADSTART"},
        {"VIEW v BASEIMAGE a ONLOADSTART\nONLOADEND\nHOTSPOT x", "Expected HOTSPOTSTART"},
        {"VIEW v BASEIMAGE a ONLOADSTART\nONLOADEND\nHOTSPOTSTART CURSOR 1", "Expected CURSOR"},
        {"VIEW v BASEIMAGE a ONLOADSTART\nONLOADEND\nHOTSPOTSTART h CURSOR 1 (1,1)",
         "Expected COORD"},
        {"VIEW v BASEIMAGE a ONLOADSTART\nONLOADEND\nHOTSPOTSTART h CURSOR 1 COORD (1,1) (a == 1)",
         "Expected ONCONDITION"},
        {"VIEW v BASEIMAGE a ONLOADSTART\nONLOADEND\nHOTSPOTSTART h CURSOR 1 COORD (1,1) "
         "ONCONDITION (a == 1)",
         "Expected ONCLICKSTART"},
        {"VIEW v BASEIMAGE a ONLOADSTART\nONLOADEND\nHOTSPOTSTART h CURSOR 1 COORD (1,1) "
         "ONCONDITION () ONCLICKSTART\nONCLICKEND\n",
         "Expected HOTSPOTEND"},
        // Ending inside a block, or an over-long line, stops reading instead of hanging.
        {"VIEW v BASEIMAGE a ONLOADSTART\necho 1\n", "Expected ONLOADEND"},
        {"VIEW v BASEIMAGE a ONLOADSTART\nONLOADEND\nHOTSPOTSTART h CURSOR 1 COORD (1,1) "
         "ONCONDITION () ONCLICKSTART\necho 1",
         "Expected ONCLICKEND"},
    };
    for (const BadFile& c : cases) {
        write("bad.scn", c.content);
        View view(g().variables, g().console);
        std::string error;
        EXPECT_FALSE(view.load("bad.scn", engine->folder(), error)) << c.content;
        EXPECT_EQ(error, c.error) << c.content;
    }
    View missing(g().variables, g().console);
    std::string error;
    EXPECT_FALSE(missing.load("nothere.scn", engine->folder(), error));
    EXPECT_EQ(error, "Expected Header");
    EXPECT_EQ(missing.fileName(), "nothere.scn");
    EXPECT_EQ(missing.hotspotCount(), 0u);
    // Folders and devices read as missing files rather than blocking.
    for (const char* odd : {".", "/dev/zero"}) {
        View view(g().variables, g().console);
        error.clear();
        EXPECT_FALSE(view.load(odd, engine->folder(), error));
        EXPECT_EQ(error, "Expected Header");
    }
}

TEST_F(ViewReader, ScriptLinesHoldAtMost99Characters) {
    std::string line99 = "echo " + std::string(94, '1');
    write("ok.scn", "VIEW v BASEIMAGE a ONLOADSTART\n" + line99 + "\nONLOADEND\n");
    View view(g().variables, g().console);
    std::string error;
    EXPECT_TRUE(view.load("ok.scn", engine->folder(), error));
    EXPECT_THAT(view.onLoadScript(), ElementsAre(line99));
    write("long.scn", "VIEW v BASEIMAGE a ONLOADSTART\necho 1\n" + line99 + "1\nONLOADEND\n");
    View longer(g().variables, g().console);
    EXPECT_FALSE(longer.load("long.scn", engine->folder(), error));
    EXPECT_EQ(error, "Script line too long");
    EXPECT_THAT(longer.onLoadScript(), ElementsAre("echo 1"));
}

TEST_F(ViewReader, AFailureKeepsWhatWasReadBefore) {
    std::string hotspot =
        "HOTSPOTSTART h CURSOR 1 COORD (1,1) ONCONDITION () ONCLICKSTART\nx\nONCLICKEND\n"
        "HOTSPOTEND\n";
    write("third.scn", "VIEW v BASEIMAGE a.jpg ONLOADSTART\necho 1\nONLOADEND\n" + hotspot +
                           hotspot + "HOTSPOTSTART bad CURSOR 1 COORDS");
    View view(g().variables, g().console);
    std::string error;
    EXPECT_FALSE(view.load("third.scn", engine->folder(), error));
    EXPECT_EQ(error, "Expected COORD");
    EXPECT_EQ(view.baseImage(), "a.jpg");
    EXPECT_THAT(view.onLoadScript(), ElementsAre("echo 1"));
    EXPECT_EQ(view.hotspotCount(), 2u);
}

TEST_F(ViewReader, UnparsableConditionIsReportedButKept) {
    write("c.scn",
          "VIEW v BASEIMAGE a ONLOADSTART\nONLOADEND\nHOTSPOTSTART h CURSOR 1 COORD (1,1) "
          "ONCONDITION (a==1&&b==1) ONCLICKSTART\nONCLICKEND\nHOTSPOTEND\n");
    View view(g().variables, g().console);
    std::string error;
    EXPECT_TRUE(view.load("c.scn", engine->folder(), error));
    EXPECT_EQ(view.hotspotCount(), 1u);
    EXPECT_THAT(reds(), ElementsAre("Error in onclick condition (a==1&&b==1)"));
}

}  // namespace

namespace {

TEST_F(ViewReader, TraceGivesTheLineOfEveryPart) {
    write("hall.scn", kGood);
    View view(g().variables, g().console);
    std::string error;
    ViewReadTrace trace;
    ASSERT_TRUE(view.load("hall.scn", engine->folder(), error, &trace));
    EXPECT_EQ(trace.stopLine, 0);
    EXPECT_EQ(trace.nameLine, 1);
    EXPECT_EQ(trace.baseImageLine, 2);
    EXPECT_THAT(trace.onLoadLines, ElementsAre(4, 6));  // the blank line 5 is dropped
    ASSERT_EQ(trace.hotspots.size(), 2u);
    EXPECT_EQ(trace.hotspots[0].startLine, 8);
    EXPECT_EQ(trace.hotspots[0].cursorLine, 9);
    EXPECT_EQ(trace.hotspots[0].coordLine, 10);
    EXPECT_EQ(trace.hotspots[0].conditionLine, 11);
    EXPECT_THAT(trace.hotspots[0].clickLines, ElementsAre(13));
    EXPECT_EQ(trace.hotspots[1].cursorWord, "7x");
    EXPECT_EQ(trace.hotspots[1].coordWord, "(1,2),(5)");
    EXPECT_THAT(trace.hotspots[1].clickLines, ElementsAre());
}

TEST_F(ViewReader, TraceStopsWhereTheReaderStopped) {
    struct Case {
        std::string content, error;
        int line;
    };
    const std::string longLine = "echo " + std::string(95, '1');
    const Case cases[] = {
        {"", "Expected Header", 1},
        {"\n\n", "Expected Header", 2},
        {"VIEW v\n\nBASEIMAGE a\nONLOAD\n", "Expected ONLOADSTART", 4},
        {"VIEW v BASEIMAGE a ONLOADSTART\necho 1\necho 2", "Expected ONLOADEND", 3},
        {"VIEW v BASEIMAGE a ONLOADSTART\necho 1\n" + longLine + "\necho 2\n",
         "Script line too long", 3},
        {"VIEW v BASEIMAGE a ONLOADSTART\nONLOADEND\nHOTSPOTSTART h\n\nCURSOR 1\nCORD\n",
         "Expected COORD", 6},
        {"VIEW v BASEIMAGE a ONLOADSTART\nONLOADEND\nHOTSPOTSTART h CURSOR 1 COORD (1,1) "
         "ONCONDITION () ONCLICKSTART\nONCLICKEND\n",
         "Expected HOTSPOTEND", 4},
    };
    for (const Case& c : cases) {
        write("bad.scn", c.content);
        View view(g().variables, g().console);
        std::string error;
        ViewReadTrace trace;
        EXPECT_FALSE(view.load("bad.scn", engine->folder(), error, &trace)) << c.content;
        EXPECT_EQ(error, c.error) << c.content;
        EXPECT_EQ(trace.stopLine, c.line) << c.content;
    }
}

}  // namespace
