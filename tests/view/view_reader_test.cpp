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

// Words are separated by any white space; only "NONE" and "none" mean the test pattern.
TEST_F(ViewReader, WhiteSpaceSeparatesWordsAndNoneIsTheTestPattern) {
    struct Row {
        const char* text;
        const char* base;
    };
    const Row rows[] = {
        {"VIEW\tv\vBASEIMAGE\fnone\r\n\r\n  ONLOADSTART\nONLOADEND", "testpat.jpg"},
        {"VIEW v BASEIMAGE NONE ONLOADSTART\nONLOADEND", "testpat.jpg"},
        {"VIEW v BASEIMAGE nONE ONLOADSTART\nONLOADEND", "nONE"},
        {"VIEW v BASEIMAGE NONE.jpg ONLOADSTART\nONLOADEND", "NONE.jpg"},
    };
    for (const Row& row : rows) {
        write("w.scn", row.text);
        View view(g().variables, g().console);
        std::string error;
        EXPECT_TRUE(view.load("w.scn", engine->folder(), error)) << row.text << ": " << error;
        EXPECT_EQ(view.baseImage(), row.base) << row.text;
    }
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

// The limit counts the characters of the line, not its line end, in either block and
// with either line end the editor or a text editor writes.
TEST_F(ViewReader, ScriptLinesHoldAtMost99Characters) {
    for (const std::string eol : {"\n", "\r\n"})
        for (bool click : {false, true})
            for (size_t length : {98u, 99u, 100u}) {
                const std::string line = "echo " + std::string(length - 5, '1');
                const std::string block = "echo 1" + eol + line + eol;
                std::string file = "VIEW v" + eol + "BASEIMAGE a" + eol + "ONLOADSTART" + eol;
                if (click) {
                    file += "ONLOADEND" + eol + "HOTSPOTSTART h" + eol + "CURSOR 1" + eol +
                            "COORD (1,1)" + eol + "ONCONDITION ()" + eol + "ONCLICKSTART" + eol +
                            block + "ONCLICKEND" + eol + "HOTSPOTEND " + eol;
                } else {
                    file += block + "ONLOADEND" + eol;
                }
                const std::string what = (eol.size() == 2 ? "CR LF, " : "LF, ") +
                                         std::string(click ? "click, " : "on-load, ") +
                                         std::to_string(length);
                write("v.scn", file);
                View view(g().variables, g().console);
                std::string error;
                const bool fits = length <= 99;
                EXPECT_EQ(view.load("v.scn", engine->folder(), error), fits) << what;
                EXPECT_EQ(error, fits ? "" : "Script line too long") << what;
                if (click) {
                    ASSERT_EQ(view.hotspotCount(), fits ? 1u : 0u) << what;
                    if (fits) {
                        EXPECT_THAT(view.hotspotClickScript(0), ElementsAre("echo 1", line))
                            << what;
                    }
                } else if (fits) {
                    EXPECT_THAT(view.onLoadScript(), ElementsAre("echo 1", line)) << what;
                } else {
                    EXPECT_THAT(view.onLoadScript(), ElementsAre("echo 1")) << what;
                }
            }
}

// Nothing in the reader is sized for small files: a view of several hundred kilobytes
// is read to its end.
TEST_F(ViewReader, LargeFilesAreReadWhole) {
    std::string file = "VIEW big\r\nBASEIMAGE a.jpg\r\nONLOADSTART\r\n";
    const int onLoadLines = 2000;  // about 190 KiB of script
    for (int i = 0; i < onLoadLines; ++i)
        file += "let v" + std::to_string(i) + "=" + std::string(80, '1') + "\r\n";
    file += "ONLOADEND\r\n";
    const int hotspots = 300;
    for (int i = 0; i < hotspots; ++i)
        file += "HOTSPOTSTART h" + std::to_string(i) +
                "\r\nCURSOR 6\r\nCOORD (0,0),(10,0),(10,10)\r\nONCONDITION ()\r\n"
                "ONCLICKSTART\r\necho " +
                std::to_string(i) + "\r\nONCLICKEND\r\nHOTSPOTEND \r\n";
    ASSERT_GT(file.size(), 3u * 65536);
    write("big.scn", file);
    View view(g().variables, g().console);
    std::string error;
    ASSERT_TRUE(view.load("big.scn", engine->folder(), error)) << error;
    ASSERT_EQ(view.onLoadScript().size(), static_cast<size_t>(onLoadLines));
    EXPECT_EQ(view.onLoadScript().back(), "let v1999=" + std::string(80, '1'));
    ASSERT_EQ(view.hotspotCount(), static_cast<size_t>(hotspots));
    EXPECT_EQ(view.hotspot(hotspots - 1).name(), "h299");
    EXPECT_THAT(view.hotspotClickScript(hotspots - 1), ElementsAre("echo 299"));
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
