// Each kind of problem on a small broken game: the exact line the checker gives for it.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "checker_test_support.h"

namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using namespace checker_test;

class ProblemKinds : public ::testing::Test {
protected:
    void SetUp() override { writeEngineFiles(game); }
    // The lines for init.scn when it holds `text`.
    std::vector<std::string> init(const std::string& text) {
        game.write("init.scn", text);
        return checkGame(game, "init.scn");
    }
    headless_test::GameFolder game;
};

TEST_F(ProblemKinds, ACleanViewGivesNothing) {
    EXPECT_THAT(init(view("let n=1\n", hotspot("door", "if n==1\nbeep\nendif\n"))), IsEmpty());
}

TEST_F(ProblemKinds, ReadingErrorsCarryTheLineWhereTheReaderStopped) {
    EXPECT_THAT(init("VEIW a\n"), ElementsAre("init.scn:1: error: Expected Header"));
    EXPECT_THAT(init("VIEW a\n\nBASEIMAGE base.bmp\nONLOAD\n"),
                ElementsAre("init.scn:4: error: Expected ONLOADSTART"));
    EXPECT_THAT(init(view("") + "HOTSPOTSTART door\nCURSR 2\n"),
                ElementsAre("init.scn:6: error: Expected CURSOR"));
    // The end of the file inside a block: its last line.
    EXPECT_THAT(init("VIEW a\nBASEIMAGE base.bmp\nONLOADSTART\nbeep\n"),
                ElementsAre("init.scn:4: error: Expected ONLOADEND"));
    EXPECT_THAT(init(view("") + "HOTSPOTSTART door\nCURSOR 2\nCOORD (1,1),(9,1),(9,9)\n"
                                "ONCONDITION ()\nONCLICKSTART\nbeep\nONCLICKEND\nHOTSPOTSTOP\n"),
                ElementsAre("init.scn:12: error: Expected HOTSPOTEND"));
}

TEST_F(ProblemKinds, ScriptLinesHoldNinetyNineCharacters) {
    const std::string echo99 = "echo " + std::string(94, '1');
    EXPECT_THAT(init(view(echo99 + "\n")), IsEmpty());
    EXPECT_THAT(init(view(echo99 + "1\n")),
                ElementsAre("init.scn:4: error: Script line too long (a script line holds at most "
                            "99 characters)"));
}

TEST_F(ProblemKinds, FilesThatAreMissingOrDoNotDecode) {
    game.write("junk.bmp", "not a picture at all");
    game.writeBmp("fire.bmp", 128, 64, 0xFF00FF);
    EXPECT_THAT(init(view("", "", "nothere.bmp")),
                ElementsAre("init.scn:2: error: cannot find base image 'nothere.bmp'"));
    EXPECT_THAT(init(view("", "", "junk.bmp")),
                ElementsAre("init.scn:2: error: cannot decode base image 'junk.bmp': Unsupported "
                            "Image type."));
    game.writeBmp("small.bmp", 320, 240, 0);
    EXPECT_THAT(init(view("", "", "small.bmp")),
                ElementsAre("init.scn:2: warning: base image 'small.bmp' is 320x240; views are "
                            "640x480"));
    EXPECT_THAT(init(view("addoverlayimage lamp lamp.bmp 1 2 3\n"
                          "addoverlayimage junk junk.bmp 1 2 3\n"
                          "addoverlayanim fire fire.bmp 0 0 64 64 3 100 1\n"
                          "addoverlayanim big fire.bmp 0 0 200 64 0 100 1\n"
                          "playsound door.wav\n"
                          "playmusic theme.ogg\n"
                          "playmovie intro.mpg\n"
                          "addoverlaymovie m loop.mpg 0 0 160 120\n"
                          "load room.scn\n")),
                ElementsAre("init.scn:4: error: cannot find overlay picture 'lamp.bmp'",
                            "init.scn:5: error: cannot decode overlay picture 'junk.bmp': "
                            "Unsupported Image type.",
                            "init.scn:6: warning: frame sheet 'fire.bmp' (128x64) holds 2 frames "
                            "of 64x64, not 3: the frames past 2 show nothing",
                            "init.scn:7: error: frames of 200x64 do not fit frame sheet "
                            "'fire.bmp' (128x64): the animation has no frames",
                            "init.scn:8: error: cannot find sound 'door.wav'",
                            "init.scn:9: error: cannot find music 'theme.ogg'",
                            "init.scn:10: error: cannot find movie 'intro.mpg'",
                            "init.scn:11: error: cannot find movie 'loop.mpg'",
                            "init.scn:12: error: cannot find view 'room.scn'"));
}

TEST_F(ProblemKinds, MoviesFFmpegCannotOpen) {
    game.write("intro.mpg", "these bytes are no movie");
    EXPECT_THAT(init(view("playmovie intro.mpg\n")),
                ElementsAre(::testing::StartsWith(
                    "init.scn:4: error: FFmpeg cannot open movie 'intro.mpg': ")));
}

TEST_F(ProblemKinds, SoundsTheWaveReaderRefusesAndMusicFFmpegCannotPlay) {
    // A wave file of format 3 (floating point): the reader takes PCM only.
    std::string wave(
        "RIFF\0\0\0\0WAVEfmt \x10\0\0\0\x03\0\x01\0\x44\xac\0\0\x10\xb1\x02\0\x04\0"
        "\x20\0data\x04\0\0\0\0\0\0\0",
        48);
    game.write("float.wav", wave);
    game.write("theme.ogg", "no music in here");
    EXPECT_THAT(
        init(view("playsound float.wav\nplaymusic theme.ogg\n")),
        ElementsAre(
            ::testing::StartsWith("init.scn:4: error: the wave reader refuses sound 'float.wav': "),
            ::testing::StartsWith("init.scn:5: error: FFmpeg cannot play music 'theme.ogg': ")));
}

TEST_F(ProblemKinds, FileNamesDifferingOnlyInCaseAreNamed) {
    game.writeBmp("Lamp.bmp", 8, 8, 0);
    EXPECT_THAT(init(view("addoverlayimage lamp lamp.bmp 1 2 3\n")),
                ElementsAre("init.scn:4: error: cannot find overlay picture 'lamp.bmp' (there is "
                            "'Lamp.bmp': file names are case-sensitive)"));
}

TEST_F(ProblemKinds, CommandsAndTheirWords) {
    EXPECT_THAT(init(view("playsond a.wav\nPLAYSOUND a.wav\nfrobnicate\n// a comment\n")),
                ElementsAre("init.scn:4: error: unknown command 'playsond'; did you mean "
                            "'playsound'?",
                            "init.scn:5: error: unknown command 'PLAYSOUND' (commands are lower "
                            "case: playsound)",
                            "init.scn:6: error: unknown command 'frobnicate'"));
    EXPECT_THAT(init(view("trans alpha\naddoverlayimage lamp base.bmp 1 2\nif\n")),
                ElementsAre("init.scn:4: error: too few arguments for 'trans TYPE STEP' (\"Too "
                            "few arguments\")",
                            "init.scn:5: error: too few arguments for 'addoverlayimage NAME FILE X "
                            "Y DEPTH' (\"Too few arguments\")",
                            "init.scn:6: error: too few arguments for 'if CONDITION' (\"Too few "
                            "arguments\"); the script ends here",
                            "init.scn:6: error: 'if' without 'endif': its body runs to the end of "
                            "the script"));
    EXPECT_THAT(init(view("beep twice\nsetvol 50 60\ntrans alpha 40\n")),
                ElementsAre("init.scn:4: warning: extra words are ignored: 'beep'",
                            "init.scn:5: warning: extra words are ignored: 'setvol PERCENT'"));
    EXPECT_THAT(init(view("trans black fast\nsetvol -5\nsetvol 12px\nsetvol x12\n")),
                ElementsAre("init.scn:4: warning: 'fast' is not a number; the engine reads 0",
                            "init.scn:7: warning: 'x12' is not a number; the engine reads 0"));
    EXPECT_THAT(init(view("trans Alpha 10\ntrans cut 1\n")),
                ElementsAre("init.scn:4: warning: 'Alpha' is no transition type (types are "
                            "case-sensitive: 'alpha', 'black'); the view change will be a cut"));
}

TEST_F(ProblemKinds, OverlayAnimationFlagsAndMovieTimes) {
    game.writeBmp("fire.bmp", 128, 64, 0);
    game.write("intro.mpg", "");
    EXPECT_THAT(init(view("addoverlayanim a fire.bmp 0 0 64 64 0 100 1 LOOP REV\n"
                          "addoverlayanim b fire.bmp 0 0 64 64 0 100 1 loop\n"
                          "addoverlayanim c fire.bmp 0 0 64 64 0 100 1 REV LOOP X\n")),
                ElementsAre("init.scn:5: warning: 'loop' is no flag (REV and LOOP, upper case); "
                            "it is ignored",
                            "init.scn:6: warning: with more than 12 words the flags are not "
                            "read"));
    const std::vector<std::string> lines =
        init(view("playmovie intro.mpg START END\n"
                  "playmovie intro.mpg 50\n"
                  "playmovie intro.mpg begin 100\n"));
    // (intro.mpg itself is no movie: one line each, left out here.)
    std::vector<std::string> words;
    for (const std::string& l : lines)
        if (l.find("FFmpeg") == std::string::npos) words.push_back(l);
    EXPECT_THAT(words, ElementsAre("init.scn:5: warning: a start time alone is ignored: "
                                   "'playmovie FILE START STOP' reads both times or neither",
                                   "init.scn:6: warning: 'begin' is not a time: a number of "
                                   "tenths of a second, or START"));
}

TEST_F(ProblemKinds, LabelsAndBlocks) {
    EXPECT_THAT(init(view("goto end\nlab top\nbeep\nlab top\ngoto nowhere\nlab end\nlab\n")),
                ElementsAre("init.scn:7: error: label 'top' is defined twice (first on line 5); "
                            "'goto' finds the first",
                            "init.scn:8: error: 'goto' to label 'nowhere', which this script "
                            "does not define",
                            "init.scn:10: warning: a label line is 'lab NAME': 'goto' never finds "
                            "this one"));
    EXPECT_THAT(init(view("if a==1\nbeep\nelse\nbeep\nelse\nbeep\nelseif a==2\nendif\nendif\n"
                          "else\nif a==3\n")),
                ElementsAre("init.scn:4: warning: variable 'a' is read but no script of the "
                            "game assigns it (a typo?); it stays 0",
                            "init.scn:8: error: 'else' after 'else' (line 6)",
                            "init.scn:10: error: 'elseif' after 'else' (line 6)",
                            "init.scn:12: error: 'endif' without 'if'",
                            "init.scn:13: error: 'else' without 'if'",
                            "init.scn:14: error: 'if' without 'endif': its body runs to the end "
                            "of the script"));
    // Nested chains balance; their bodies may hold chains of their own.
    EXPECT_THAT(init(view("let a=1\nif a==1\nif a==2\nbeep\nelse\nbeep\nendif\nelseif "
                          "a==3\nbeep\nendif\n")),
                IsEmpty());
}

TEST_F(ProblemKinds, LinesThatNeverRun) {
    game.write("room.scn", view(""));
    EXPECT_THAT(init(view("", hotspot("door", "load room.scn\nbeep\n") +
                                  hotspot("lamp", "ret\nbeep\n", "()", 6,
                                          "(200,10),(300,10),(300,100),(200,100)") +
                                  hotspot("well",
                                          "goto b\nbeep\nlab b\nbeep\nif a==1\nload "
                                          "room.scn\nendif\nbeep\n",
                                          "()", 6, "(400,10),(500,10),(500,100),(400,100)"))),
                ElementsAre("init.scn:11: warning: this line never runs: the 'load' on line 10 "
                            "ends the script once the view is loaded",
                            "init.scn:20: warning: this line never runs: the 'ret' on line 19 "
                            "ends the script",
                            "init.scn:29: warning: this line never runs: the 'goto' on line 28 "
                            "jumps away",
                            "init.scn:32: warning: variable 'a' is read but no script of the "
                            "game assigns it (a typo?); it stays 0"));
}

TEST_F(ProblemKinds, ConditionsAndExpressionsThatDoNotParse) {
    EXPECT_THAT(init(view("let a=1\nif a=1\nendif\nlet b=a+\nlet =5\nlet c=\necho a b +\n"
                          "let d=a/0\nlet e=10/a\nif (a==1\nendif\n",
                          hotspot("door", "", "(a==1&&a==2)"))),
                ElementsAre("init.scn:5: error: condition 'a=1' does not parse; comparisons are "
                            "written '=='",
                            "init.scn:7: error: expression 'a+' does not parse (\"Error parsing "
                            "expression\"); 'b' keeps its value",
                            "init.scn:8: error: no assignment: 'let NAME=EXPRESSION' (\"No "
                            "Assignment Obvious\"); the script ends here",
                            "init.scn:9: error: nothing to assign to 'c' (\"No Assignment "
                            "Obvious\")",
                            "init.scn:10: error: expression 'ab+' does not parse (\"Could not "
                            "parse expression\")",
                            "init.scn:10: warning: variable 'ab' is read but no script of the "
                            "game assigns it (a typo?); it stays 0",
                            "init.scn:11: error: expression 'a/0' does not parse (\"Error parsing "
                            "expression\"); 'd' keeps its value",
                            "init.scn:13: error: condition '(a==1' does not parse",
                            "init.scn:19: error: condition '(a==1&&a==2)' does not parse (\"Error "
                            "in onclick condition (a==1&&a==2)\")"));
}

TEST_F(ProblemKinds, Hotspots) {
    EXPECT_THAT(
        init(view("", hotspot("line", "", "()", 2, "(10,10),(90,90)") +
                          hotspot("wide", "", "()", 0, "(600,0),(700,0),(700,50),(600,50)") +
                          hotspot("far", "", "()", 8, "(700,10),(800,10),(800,90)") +
                          hotspot("wide", "", "()", 7, "(100,200),(120,200),(120,220)") +
                          hotspot("odd", "", "()", 3, "(1,2),(3") +
                          "HOTSPOTSTART y\nCURSOR up\nCOORD (10,300),(20,300),(20,310)\n"
                          "ONCONDITION ()\nONCLICKSTART\nONCLICKEND\nHOTSPOTEND\n")),
        ElementsAre(
            "init.scn:7: warning: hotspot 'line' has 2 vertices; it needs three to cover anything",
            "init.scn:13: warning: cursor number 0 is outside 1 to 7",
            "init.scn:14: warning: vertex (700,0) lies outside the 640x480 view (and 1 more)",
            "init.scn:20: warning: cursor number 8 is outside 1 to 7",
            "init.scn:21: warning: vertex (700,10) lies outside the 640x480 view (and 2 more)",
            "init.scn:21: warning: hotspot 'far' covers no pixel of the 640x480 view",
            "init.scn:26: warning: another hotspot named 'wide' is on line 12; 'enablehs' and "
            "'disablehs' switch both",
            "init.scn:35: warning: malformed coordinate list; the engine reads 1 vertices from it "
            "(write (x,y),(x,y),... without blanks)",
            "init.scn:35: warning: hotspot 'odd' has 1 vertex; it needs three to cover anything",
            "init.scn:41: warning: cursor 'up' is not a number; the engine reads 0"));
}

TEST_F(ProblemKinds, HotspotsWhollyUnderALaterAlwaysActiveOne) {
    const std::string box = "(10,10),(100,10),(100,100),(10,100)";
    const std::string inner = "(20,20),(50,20),(50,50),(20,50)";
    // Under an unconditional later hotspot: never clicked. Under a conditional one, or
    // one that some script switches off, or an earlier one: fine.
    EXPECT_THAT(
        init(view("", hotspot("under", "", "()", 6, inner) + hotspot("over", "", "()", 2, box) +
                          hotspot("side", "", "()", 6, "(300,10),(350,10),(350,60)") +
                          hotspot("top", "", "(a==1)", 2, "(290,0),(400,0),(400,100),(290,100)"))),
        ElementsAre("init.scn:5: warning: hotspot 'under' lies wholly under 'over' (line "
                    "12), which is always active: it never gets a click",
                    "init.scn:29: warning: variable 'a' is read but no script of the game "
                    "assigns it (a typo?); it stays 0"));
    // Identical polygons cover each other too; switched off anywhere in the game, fine.
    game.write("room.scn", view("disablehs over\n"));
    EXPECT_THAT(init(view("", hotspot("under", "load room.scn\n", "()", 6, box) +
                                  hotspot("over", "", "()", 2, box))),
                IsEmpty());
}

TEST_F(ProblemKinds, NamesOfHotspotsOverlaysAndItems) {
    EXPECT_THAT(init(view("disablehs door\nenablehs dor\naddoverlayimage lamp base.bmp 1 2 3\n"
                          "deloverlayimage lamp\ndeloverlayimage lmp\ndeloverlayanim fire\n"
                          "deloverlaymovie clip\naddinv inv_horse\ndelinv inv_knight\n"
                          "addinv sword\n",
                          hotspot("door", ""))),
                ElementsAre("init.scn:5: warning: no hotspot named 'dor' in this view: "
                            "'enablehs' changes nothing",
                            "init.scn:8: warning: no 'addoverlayimage' in this view adds 'lmp' (a "
                            "view change removes every overlay)",
                            "init.scn:9: warning: no 'addoverlayanim' in this view adds 'fire' (a "
                            "view change removes every overlay)",
                            "init.scn:10: warning: no 'addoverlaymovie' in this view adds 'clip' "
                            "(a view change removes every overlay)",
                            "init.scn:12: warning: 'inv_knight' joins the item table only once the "
                            "player has selected an item; until then the engine reports \"No "
                            "index for inventory item found\"",
                            "init.scn:13: error: 'sword' is not in the item table (inv_horse, "
                            "inv_knight): \"No index for inventory item found\""));
}

TEST_F(ProblemKinds, VariablesReadButNeverAssigned) {
    // Set in another view, set by the engine (cursor, cursorinv), or set by "let" with a
    // name no expression reads.
    game.write("room.scn", view("let seen=1\nlet a-b=2\n"));
    EXPECT_THAT(init(view("if seen==1&cursor==1&cursorinv==0&sean==1\nload room.scn\nendif\n")),
                ElementsAre("init.scn:4: warning: variable 'sean' is read but no script of the "
                            "game assigns it (a typo?); it stays 0"));
    EXPECT_THAT(checkGame(game, "room.scn"),
                ElementsAre("room.scn:5: warning: variable 'a-b' can be set but no expression "
                            "can read it (a name is a letter, then letters, digits and '_')"));
}

TEST_F(ProblemKinds, ViewsNothingReachesAndAMissingFirstView) {
    game.write("room.scn", view(""));
    game.write("attic.scn", view("load room.scn\n"));
    game.write("init.scn", view("", hotspot("door", "load room.scn\n")));
    EXPECT_THAT(checkGame(game),
                ElementsAre("attic.scn:1: warning: no view reached from init.scn loads this view: "
                            "the player never sees it",
                            "nivoktit.mpg: warning: cannot find the title movie 'nivoktit.mpg'"));
    std::filesystem::remove(game.path() / "init.scn");
    EXPECT_THAT(checkGame(game),
                ElementsAre("init.scn: error: cannot find the first view 'init.scn'",
                            "attic.scn:1: warning: no view reached from init.scn loads this view: "
                            "the player never sees it",
                            "room.scn:1: warning: no view reached from init.scn loads this view: "
                            "the player never sees it",
                            "nivoktit.mpg: warning: cannot find the title movie 'nivoktit.mpg'"));
}

TEST_F(ProblemKinds, TheEnginesFixedNameFiles) {
    game.write("init.scn", view(""));
    std::filesystem::remove(game.path() / "console.bmp");
    std::filesystem::remove(game.path() / "pointleft.bmp");
    game.writeBmp("take.bmp", 128, 64, 0);
    game.writeBmp("invknight.bmp", 32, 32, 0);
    game.write("end.jpg", "no picture");
    game.write("pookie.ttf", "no font");
    EXPECT_THAT(checkGame(game),
                ElementsAre("console.bmp: warning: cannot find 'console.bmp', the console panel; "
                            "the console shows without it",
                            "end.jpg: warning: cannot decode 'end.jpg', the ending picture; the "
                            "ending shows nothing (Unsupported Image type.)",
                            "invknight.bmp: warning: frames of 64x64 do not fit 'invknight.bmp' "
                            "(32x32), the held item's pointer; the pointer shows nothing there",
                            "nivoktit.mpg: warning: cannot find the title movie 'nivoktit.mpg'",
                            "pointleft.bmp: warning: cannot find 'pointleft.bmp', the left "
                            "pointer; the built-in pointer stands in",
                            "pookie.ttf: warning: cannot read the font 'pookie.ttf' (not a "
                            "TrueType or OpenType font); text is drawn in the default face",
                            "take.bmp: warning: 'take.bmp' (128x64) holds 2 frames of 64x64, not "
                            "6; the take pointer shows nothing for the rest"));
}

TEST_F(ProblemKinds, OneViewAndTheFilesItNames) {
    // The other views are not checked, but what they assign counts.
    game.write("init.scn", "VIEW broken\n");
    game.write("room.scn", view("let seen=1\n"));
    game.write("hall.scn", view("if seen==1&typo==1\nload room.scn\nload nothere.scn\nendif\n"));
    EXPECT_THAT(checkOneView(game, "hall.scn"),
                ElementsAre("hall.scn:4: warning: variable 'typo' is read but no script of the "
                            "game assigns it (a typo?); it stays 0",
                            "hall.scn:6: warning: this line never runs: the 'load' on line 5 ends "
                            "the script once the view is loaded",
                            "hall.scn:6: error: cannot find view 'nothere.scn'"));
    EXPECT_THAT(checkOneView(game, "gone.scn"),
                ElementsAre("gone.scn: error: cannot find view 'gone.scn'"));
}
}  // namespace
