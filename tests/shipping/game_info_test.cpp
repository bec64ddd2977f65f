// game.txt: what is taken, what is dropped with a note, and the limits of its values.
#include "tools/pack/game_info.h"

#include <gtest/gtest.h>

#include "tools/pack/package_texts.h"

namespace {

struct InfoCase {
    const char* name;
    std::string text;
    std::string fields;  // title|version|author|icon as read
    std::vector<int> problemLines;
};

TEST(GameInfo, ReadsWhatIsRightAndNotesTheRest) {
    const std::string longest(kMaxGameInfoValue, 'a');
    const std::string control = std::string("title: A") + '\x01' + "B\n";
    // clang-format off
    const std::vector<InfoCase> cases = {
        {"all four", "title: Harrow House\r\nversion: 1.2\nauthor: Ann\nicon: house.png\n",
         "Harrow House|1.2|Ann|house.png", {}},
        {"comments, blanks, key case", "# by hand\n\n  Title :  Moor  \n", "Moor|||", {}},
        {"no colon, unknown key", "Moor\ntitel: Moor\n", "|||", {1, 2}},
        {"twice: the last counts", "title: A\ntitle: B\n", "B|||", {2}},
        {"value at the limit", "title: " + longest + "\n", longest + "|||", {}},
        {"value one byte over", "title: " + longest + "a\n", "|||", {1}},
        {"empty value", "author:\n", "|||", {1}},
        {"control character", control, "|||", {1}},
        {"broken UTF-8", "author: \xC3\n", "|||", {1}},
        {"overlong UTF-8", "author: \xC0\xAF\n", "|||", {1}},
        {"UTF-8 letters", "author: J\xC3\xB8rn\n", "||J\xC3\xB8rn|", {}},
        {"version needs a digit first", "version: v1\nversion: 1.0~beta+2-1\n",
         "|1.0~beta+2-1||", {1}},
        {"version with a blank", "version: 1 0\n", "|||", {1}},
        {"icon types", "icon: a.PNG\nicon: b.jpg\nicon: ../c.png\nicon: .d.svg\n", "|||a.PNG",
         {2, 3, 4}},
        {"icon with a quote", "icon: a'b.png\n", "|||", {1}},
    };
    // clang-format on
    for (const InfoCase& c : cases) {
        const GameInfo info = readGameInfo(c.text);
        EXPECT_EQ(info.title + "|" + info.version + "|" + info.author + "|" + info.icon, c.fields)
            << c.name;
        std::vector<int> lines;
        for (const GameInfo::Problem& p : info.problems) lines.push_back(p.line);
        EXPECT_EQ(lines, c.problemLines) << c.name;
    }
}

TEST(GameInfo, AFileOverTheLimitIsIgnoredWhole) {
    std::string text = "title: Moor\n";
    text.resize(kMaxGameInfoBytes, '#');
    EXPECT_EQ(readGameInfo(text).title, "Moor");
    text += "\n";
    const GameInfo over = readGameInfo(text);
    EXPECT_EQ(over.title, "");
    ASSERT_EQ(over.problems.size(), 1u);
    EXPECT_EQ(over.problems[0].line, 0);
}

TEST(GameInfo, SlugsArePackageNames) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"Harrow House", "harrow-house"},
        {"  The  Moor: Part 2! ", "the-moor-part-2"},
        {"J\xC3\xB8rn's Tale", "j-rn-s-tale"},
        {"A", ""},  // a package name needs two characters
        {"Ab", "ab"},
        {"!!!", ""},
        {std::string(40, 'x'), std::string(40, 'x')},
        {std::string(41, 'x'), std::string(40, 'x')},
    };
    for (const auto& [title, slug] : cases) EXPECT_EQ(slugFromTitle(title), slug) << title;
}

TEST(PackageTexts, ValuesCannotBreakOutOfTheirFields) {
    PackedGame game{"moor", "Back\\slash", "1.0", "Ann", "vorlen"};
    EXPECT_NE(desktopEntry(game).find("\nName=Back\\\\slash\n"), std::string::npos);
    EXPECT_NE(desktopEntry(game).find("\nExec=vorlen-play moor\n"), std::string::npos);
    EXPECT_NE(launcherScript(game).find("exec vorlen-play \"$@\" \"$here/moor\"\n"),
              std::string::npos);
    const std::string control = debianControl(game, "0.9.0", 12);
    EXPECT_NE(control.find("\nDepends: vorlen (>= 0.9.0)\n"), std::string::npos);
    EXPECT_NE(control.find("\nInstalled-Size: 12\n"), std::string::npos);
}

}  // namespace
