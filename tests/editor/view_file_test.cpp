#include "editor/view_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "platform/image/file_writer.h"

namespace fs = std::filesystem;

namespace {

shape makeShape(const std::string& name, std::initializer_list<std::pair<int, int>> pts) {
    shape s;
    s.makeshape();
    s.setName(name);
    for (auto [x, y] : pts) s.addPoint(static_cast<int16_t>(x), static_cast<int16_t>(y));
    return s;
}

EditorModel sampleModel() {
    EditorModel m;
    m.viewname = "Hall";
    m.baseImagePath = "/games/castle/hall.bmp";
    m.onloadscript = "let a 1\r\nplaymusic hall.mp3";
    shape door = makeShape("Door", {{120, 45}, {300, 45}, {300, 200}, {120, 200}});
    door.setCursor(1);
    door.setCond("a==1");
    door.setScript("load room.scn");
    m.shapes.push_back(door);
    shape blank = makeShape("Window", {{5, 6}, {7, 8}, {9, 10}});
    blank.setCursor(-1);
    m.shapes.push_back(blank);
    return m;
}

TEST(ViewFileWriter, ExactLayout) {
    const std::string expected =
        "VIEW Hall\r\n"
        "BASEIMAGE hall.bmp\r\n"
        "ONLOADSTART\r\n"
        "let a 1\r\nplaymusic hall.mp3\r\n"
        "ONLOADEND\r\n"
        "HOTSPOTSTART Door\r\n"
        "CURSOR 2\r\n"
        "COORD (120,45),(300,45),(300,200),(120,200)\r\n"
        "ONCONDITION (a==1)\r\n"
        "ONCLICKSTART\r\n"
        "load room.scn\r\n"
        "ONCLICKEND\r\n"
        "HOTSPOTEND \r\n"
        "HOTSPOTSTART Window\r\n"
        "CURSOR 0\r\n"
        "COORD (5,6),(7,8),(9,10)\r\n"
        "ONCONDITION ()\r\n"
        "ONCLICKSTART\r\n"
        "\r\n"
        "ONCLICKEND\r\n"
        "HOTSPOTEND \r\n";
    EXPECT_EQ(viewfile::write(sampleModel()), expected);

    EditorModel empty;
    empty.baseImagePath = "C:\\games\\pic.jpg";
    EXPECT_EQ(viewfile::write(empty),
              "VIEW View\r\nBASEIMAGE pic.jpg\r\nONLOADSTART\r\nONLOADEND\r\n");
    // No picture: the engine's own word for none, not an empty word it cannot read.
    empty.baseImagePath.clear();
    EXPECT_EQ(viewfile::write(empty),
              "VIEW View\r\nBASEIMAGE NONE\r\nONLOADSTART\r\nONLOADEND\r\n");
}

TEST(ViewFileReader, RoundTripIsStable) {
    EditorModel original = sampleModel();
    original.shapes[1].setScript("a\r\n\r\n  indented  \r\nb");
    const std::string text = viewfile::write(original);
    EditorModel back;
    back.shapeCounter = 5;
    const viewfile::ReadResult r = viewfile::read(text, back);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.baseImage, "hall.bmp");
    EXPECT_EQ(back.document(), original.document());
    EXPECT_EQ(back.shapeCounter, 5);
    back.baseImagePath = original.baseImagePath;
    EXPECT_EQ(viewfile::write(back), text);  // saving again adds no blank lines
}

TEST(ViewFileReader, Tolerances) {
    EditorModel m;
    // Bare LF, blank lines, blanks around keywords, lower-case keywords, commas in the
    // name, no HOTSPOTEND before the end of the file.
    const std::string text =
        "view The, Hall  \n\n"
        "  BASEIMAGE   hall.bmp \n"
        "onloadstart\n"
        "line one\n"
        "\n"
        "   OnLoadEnd  \n"
        "\n\n"
        "hotspotstart  Door \n"
        "cursor 7\n"
        "coord (1,2),(5)\n"
        "oncondition (x>1)\n"
        "onclickstart\n"
        "  go  \n"
        "onclickend\n"
        "\n";
    const viewfile::ReadResult r = viewfile::read(text, m);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(m.viewname, "The, Hall");
    EXPECT_EQ(r.baseImage, "hall.bmp");
    EXPECT_EQ(m.onloadscript, "line one\r\n");
    ASSERT_EQ(m.shapes.size(), 1u);
    const shape& s = m.shapes[0];
    EXPECT_EQ(s.getName(), "Door");
    EXPECT_EQ(s.getCursor(), 6);
    ASSERT_EQ(s.numPoint(), 2);
    EXPECT_EQ(s.x(2), 0);
    EXPECT_EQ(s.y(2), 5);
    EXPECT_EQ(s.getCond(), "x>1");
    EXPECT_EQ(s.getScript(), "  go  ");

    // Only blank lines after ONLOADEND, or nothing at all.
    EXPECT_TRUE(viewfile::read("VIEW a\r\nBASEIMAGE b\r\nONLOADSTART\r\nONLOADEND", m).ok);
    EXPECT_TRUE(m.shapes.empty());

    // A line other than HOTSPOTEND after the click block continues the hotspot.
    const std::string continued =
        "VIEW a\nBASEIMAGE b\nONLOADSTART\nONLOADEND\nHOTSPOTSTART h\nCURSOR 1\n"
        "COORD (1,1)\nONCONDITION ()\nONCLICKSTART\nONCLICKEND\n"
        "CURSOR 3\nCOORD (2,2)\nONCONDITION (q)\nONCLICKSTART\nx\nONCLICKEND\nHOTSPOTEND\n";
    ASSERT_TRUE(viewfile::read(continued, m).ok);
    ASSERT_EQ(m.shapes.size(), 1u);
    EXPECT_EQ(m.shapes[0].getCursor(), 2);
    EXPECT_EQ(m.shapes[0].numPoint(), 2);
    EXPECT_EQ(m.shapes[0].getCond(), "q");
}

TEST(ViewFileReader, ReportsTheMissingKeyword) {
    const std::string head = "VIEW a\nBASEIMAGE b\nONLOADSTART\nONLOADEND\n";
    const std::string spot = "HOTSPOTSTART h\nCURSOR 1\nCOORD (1,1)\nONCONDITION ()\n";
    const std::pair<std::string, std::string> cases[] = {
        {"", "Expecting VIEW header"},
        {"VIE a\n", "Expecting VIEW header"},
        {"VIEW a\n", "Expecting BASEIMAGE"},
        {"VIEW a\nbaseimage b\n", "Expecting BASEIMAGE"},
        {"VIEW a\nBASEIMAGE b\n\n", "Expecting ONLOADSTART"},
        {"VIEW a\nBASEIMAGE b\nONLOADSTART x\nONLOADEND\n", "Expecting ONLOADSTART"},
        {"VIEW a\nBASEIMAGE b\nONLOADSTART\nfoo\n", "Expecting ONLOADEND"},
        {head + "HOTSPOTEND\n", "Expecting HOTSPOTSTART"},
        {head + "HOTSPOTSTART h\n", "Expecting CURSOR"},
        {head + "HOTSPOTSTART h\nCOORD (1,1)\n", "Expecting CURSOR"},
        {head + "HOTSPOTSTART h\nCURSOR 1\nONCONDITION ()\n", "Expecting COORD"},
        {head + "HOTSPOTSTART h\nCURSOR 1\nCOORD (1,1)\n", "Expecting ONCONDITION"},
        {head + spot + "ONCLICKEND\n", "Expecting ONCLICKSTART"},
        {head + spot + "ONCLICKSTART go\nONCLICKEND\n", "Expecting ONCLICKSTART"},
        {head + spot + "ONCLICKSTART\nload x\n", "Expecting ONCLICKEND"},
        {head + spot + "ONCLICKSTART\nONCLICKEND\nHOTSPOTEND\nbogus\n", "Expecting HOTSPOTSTART"},
        {head + spot + "ONCLICKSTART\nONCLICKEND\nbogus\n", "Expecting CURSOR"},
    };
    for (const auto& [text, error] : cases) {
        EditorModel m;
        m.viewname = "Old";
        const viewfile::ReadResult r = viewfile::read(text, m);
        EXPECT_FALSE(r.ok) << text;
        EXPECT_EQ(r.error, error) << text;
        // The file is abandoned: an empty view is left.
        EXPECT_EQ(m.viewname, "View");
        EXPECT_TRUE(m.shapes.empty());
    }
}

TEST(ViewFileReader, OutOfRangeNumbersDoNotWrap) {
    EditorModel m;
    const std::string text =
        "VIEW a\nBASEIMAGE b\nONLOADSTART\nONLOADEND\nHOTSPOTSTART h\nCURSOR 99999999999\n"
        "COORD (70000,-70000),(abc,12x),(3,4)junk\nONCONDITION (\nONCLICKSTART\nONCLICKEND\n";
    ASSERT_TRUE(viewfile::read(text, m).ok);
    const shape& s = m.shapes[0];
    EXPECT_EQ(s.getCursor(), 32766);
    ASSERT_EQ(s.numPoint(), 3);
    EXPECT_EQ(s.x(1), 32767);
    EXPECT_EQ(s.y(1), -32768);
    EXPECT_EQ(s.x(2), 0);
    EXPECT_EQ(s.y(2), 12);
    EXPECT_EQ(s.getCond(), "");
}

TEST(ViewFile, SaveNameRule) {
    EXPECT_EQ(viewfile::saveName("room"), "room.scn");
    EXPECT_EQ(viewfile::saveName("/g/room.SCN"), "/g/room.SCN");
    EXPECT_EQ(viewfile::saveName(".scn"), ".scn.scn");
    EXPECT_EQ(viewfile::saveName("a.scn"), "a.scn");
    EXPECT_EQ(viewfile::saveName("a.scnx"), "a.scnx.scn");
}

TEST(ViewFile, EngineProblemsAreNamed) {
    EditorModel m = sampleModel();
    EXPECT_TRUE(viewfile::engineProblems(m).empty());
    m.viewname = "";
    m.shapes[0].setName("front door");
    m.shapes[1].setCond("a == 1");
    m.shapes[1].setScript("ok\r\n" + std::string(100, 'x'));
    EXPECT_EQ(viewfile::engineProblems(m).size(), 4u);
}

TEST(ViewFile, FailedWriteKeepsThePreviousFile) {
    const fs::path dir = fs::temp_directory_path() / ("pandrel-write-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const std::string path = (dir / "room.scn").string();
    std::string error;
    ASSERT_TRUE(writeFileAtomically(path, "first", &error)) << error;
    ASSERT_TRUE(writeFileAtomically(path, "second", &error)) << error;
    std::string bytes;
    ASSERT_TRUE(viewfile::readFile(path, bytes, error));
    EXPECT_EQ(bytes, "second");

    // The target is a folder: the rename fails and nothing is left behind.
    const std::string blocked = (dir / "blocked.scn").string();
    fs::create_directories(fs::path(blocked) / "inside");
    EXPECT_FALSE(writeFileAtomically(blocked, "data", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_FALSE(writeFileAtomically((dir / "missing" / "x.scn").string(), "d", &error));
    size_t entries = 0;
    for (auto& e : fs::directory_iterator(dir)) (void)e, ++entries;
    EXPECT_EQ(entries, 2u);  // room.scn and the folder
    EXPECT_FALSE(viewfile::readFile((dir / "nothing.scn").string(), bytes, error));
    fs::remove_all(dir);
}

TEST(ViewFile, SavingKeepsThePermissionsOfTheFileItReplaces) {
    const fs::path dir = fs::temp_directory_path() / ("pandrel-mode-" + std::to_string(getpid()));
    fs::create_directories(dir);
    const std::string path = (dir / "room.scn").string();
    const mode_t oldMask = ::umask(027);
    std::string error;
    ASSERT_TRUE(writeFileAtomically(path, "new", &error)) << error;
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);  // a new file: 0666 less the umask

    ::umask(022);
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    ASSERT_TRUE(writeFileAtomically(path, "again", &error)) << error;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);
    ::umask(oldMask);
    std::string bytes;
    ASSERT_TRUE(viewfile::readFile(path, bytes, error));
    EXPECT_EQ(bytes, "again");
    fs::remove_all(dir);
}

}  // namespace

namespace {

// The demo game's views follow the editor's layout: each opens and saves back to
// the same bytes.
TEST(ViewFile, DemoViewsOpenAndSaveUnchanged) {
    const char* source = std::getenv("VORLEN_SOURCE_DIR");
    const fs::path demo = fs::path(source ? source : VORLEN_SOURCE_DIR_DEFAULT) / "demo";
    if (!fs::is_directory(demo)) GTEST_SKIP() << "no demo views";
    int seen = 0;
    for (const auto& entry : fs::directory_iterator(demo)) {
        if (entry.path().extension() != ".scn") continue;
        SCOPED_TRACE(entry.path().string());
        std::string bytes, error;
        ASSERT_TRUE(viewfile::readFile(entry.path().string(), bytes, error));
        EditorModel m;
        const viewfile::ReadResult r = viewfile::read(bytes, m);
        ASSERT_TRUE(r.ok) << r.error;
        m.baseImagePath = "/anywhere/" + r.baseImage;
        EXPECT_EQ(viewfile::write(m), bytes);
        ++seen;
    }
    EXPECT_GT(seen, 0);
}

}  // namespace
