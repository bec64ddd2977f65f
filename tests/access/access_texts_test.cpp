// The readers and words of accessible play: labels files, the settings file, and what is
// said about cursors, dates and slots.
#include <gtest/gtest.h>

#include "engine/access/access_settings.h"
#include "engine/access/focus.h"
#include "engine/access/speech_lines.h"
#include "game/labels.h"

namespace {

TEST(AccessTexts, LabelsFile) {
    struct Case {
        std::string text;
        int problems;
        std::string door, view, item;  // the house door, court.scn, item 1
    };
    const std::string cap(Labels::kMaxLabelBytes, 'x');
    const Case cases[] = {
        {"court.scn door = the house door\ncourt.scn = the courtyard\nitem 1 = the horse\n", 0,
         "the house door", "the courtyard", "the horse"},
        {"  court.scn   door\t=  spaced  \r\n# court.scn = comment\n\n", 0, "spaced", "court yard",
         "inv horse"},
        {"court.scn door the house door\n", 1, "door", "court yard", "inv horse"},
        {"court.scn door =\n", 1, "door", "court yard", "inv horse"},
        {"= nameless\n", 1, "door", "court yard", "inv horse"},
        {"court.scn door extra = x\n", 1, "door", "court yard", "inv horse"},
        {"item one = x\nitem = x\nitem 1234567890 = x\n", 3, "door", "court yard", "inv horse"},
        {"item 123456789 = nine digits\nitem 1 = a\n", 0, "door", "court yard", "a"},
        {"court.scn = first\ncourt.scn = second\n", 1, "door", "first", "inv horse"},
        {("court.scn = " + cap + "\n"), 0, "door", cap, "inv horse"},
        {("court.scn = " + cap + "y\n"), 0, "door", cap, "inv horse"},
        // A character is never cut in half: the two-byte one at the limit goes whole.
        {("court.scn = " + cap.substr(1) + "\xC3\xA9\n"), 0, "door", cap.substr(1), "inv horse"},
    };
    // Bytes that are no UTF-8 at all are cut at the limit, never to nothing.
    const std::string stray(Labels::kMaxLabelBytes + 1, '\x80');
    const Case strayCase{"court.scn = " + stray + "\n", 0, "door", stray.substr(1), "inv horse"};
    std::vector<Case> all(std::begin(cases), std::end(cases));
    all.push_back(strayCase);
    for (const Case& c : all) {
        Labels labels;
        labels.parse(c.text);
        EXPECT_EQ(static_cast<int>(labels.problems().size()), c.problems) << c.text;
        EXPECT_EQ(labels.hotspot("court.scn", "door"), c.door) << c.text;
        EXPECT_EQ(labels.view("court.scn", "court_yard"), c.view) << c.text;
        EXPECT_EQ(labels.item(1, "inv_horse"), c.item) << c.text;
    }
}

TEST(AccessTexts, ReadableNamesAndLocaleFiles) {
    const std::pair<const char*, const char*> names[] = {
        {"north_door", "north door"}, {"__a--b  c_", "a b c"}, {"", ""}, {"plain", "plain"}};
    for (const auto& n : names) EXPECT_EQ(Labels::readable(n.first), n.second) << n.first;
    using Files = std::vector<std::string>;
    const std::pair<const char*, Files> locales[] = {
        {"de_DE.UTF-8", {"labels.de_DE.txt", "labels.de.txt", "labels.txt"}},
        {"fr", {"labels.fr.txt", "labels.txt"}},
        {"sr_RS@latin", {"labels.sr_RS.txt", "labels.sr.txt", "labels.txt"}},
        {"C", {"labels.txt"}},
        {"POSIX", {"labels.txt"}},
        {"", {"labels.txt"}},
        {"../x", {"labels.txt"}},
        {"a/b", {"labels.txt"}},
    };
    for (const auto& l : locales) EXPECT_EQ(Labels::filesFor(l.first), l.second) << l.first;
}

TEST(AccessTexts, SettingsFile) {
    struct Case {
        const char* text;
        int problems;
        int32_t scanMs, textSize;
        size_t nextKeys;
    };
    const Case cases[] = {
        {"", 0, 1500, 16, 2},
        {"scan interval = 300\nlabel size = 8\n", 0, 300, 8, 2},
        {"scan interval = 299\nlabel size = 7\n", 2, 1500, 16, 2},
        {"scan interval = 60000\nlabel size = 64\n", 0, 60000, 64, 2},
        {"scan interval = 60001\nlabel size = 65\n", 2, 1500, 16, 2},
        {"scan interval = -5\nscan interval = 1e3\nscan interval = 9999999999\n", 3, 1500, 16, 2},
        {"key next = TAB, A, B, C, D, E, F, G\n", 0, 1500, 16, 8},
        {"key next = TAB, A, B, C, D, E, F, G, H\n", 1, 1500, 16, 2},
        {"key next = NO SUCH KEY\nkey next =\n", 2, 1500, 16, 2},
        {"colour = red\nspeech\n", 2, 1500, 16, 2},
    };
    for (const Case& c : cases) {
        AccessSettings s;
        EXPECT_EQ(static_cast<int>(readAccessSettings(c.text, s).size()), c.problems) << c.text;
        EXPECT_EQ(s.scanIntervalMs, c.scanMs) << c.text;
        EXPECT_EQ(s.labelTextSize, c.textSize) << c.text;
        EXPECT_EQ(s.next.size(), c.nextKeys) << c.text;
    }
    AccessSettings s;
    readAccessSettings(
        "speech = on\nscan = yes\nhighlight = toggled\nkey click = JOY BUTN 2\n"
        "key previous = PAD RIGHT, LEFT ARROW\n",
        s);
    EXPECT_TRUE(s.speech && s.scan && s.highlightToggles);
    EXPECT_EQ(s.click, std::vector<int>{KeyCode::JoyButton0 + 2});
    EXPECT_EQ(s.previous, (std::vector<int>{kPadRightCode, KeyCode::LeftArrow}));
    AccessSettings back;
    EXPECT_TRUE(readAccessSettings(writeAccessSettings(s), back).empty());
    EXPECT_EQ(writeAccessSettings(back), writeAccessSettings(s));
}

TEST(AccessTexts, SpokenWords) {
    const std::pair<int, const char*> cursors[] = {
        {0, ""},           {1, ""},    {2, "go forward"}, {3, "go back"}, {4, "turn left"},
        {5, "turn right"}, {6, "use"}, {7, "take"},       {8, ""},        {-1, ""}};
    for (const auto& c : cursors) EXPECT_EQ(cursorMeaning(c.first, false), c.second) << c.first;
    EXPECT_EQ(cursorMeaning(7, true), "put");
    EXPECT_EQ(hotspotPhrase("the brass horse", 7, false), "the brass horse, take");
    EXPECT_EQ(hotspotPhrase("the sky", 1, false), "the sky");
    const std::pair<const char*, const char*> dates[] = {
        {"2026-12-08", "Tuesday"},   {"2000-02-29", "Tuesday"},
        {"2000-03-01", "Wednesday"}, {"1583-01-01", "Saturday"},
        {"1582-12-31", ""},          {"2026-13-01", ""},
        {"2026-00-10", ""},          {"2026-1-08", ""},
        {"XXXX-XX-XX", ""},          {"DAMAGED", ""}};
    for (const auto& d : dates) EXPECT_EQ(weekdayOf(d.first), d.second) << d.first;
    EXPECT_EQ(slotPhrase(7, true, "2026-12-08", "11:29:05"), "slot 7, saved Tuesday 11:29");
    EXPECT_EQ(slotPhrase(8, false, "XXXX-XX-XX", "XX:XX:XX"), "slot 8, empty");
    EXPECT_EQ(slotPhrase(3, true, "DAMAGED", "XX:XX:XX"), "slot 3, DAMAGED");
    EXPECT_EQ(slotPhrase(4, true, "2026-12-08", "?"), "slot 4, saved Tuesday");
}

TEST(AccessTexts, StepsWrapRoundTheList) {
    struct Case {
        int position, count, direction, expected;
    };
    const Case cases[] = {{-1, 0, 1, -1}, {-1, 3, 1, 0}, {-1, 3, -1, 2}, {0, 3, 1, 1}, {2, 3, 1, 0},
                          {0, 3, -1, 2},  {1, 1, 1, 0},  {3, 3, 1, 0},   {0, 1, -1, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(stepInList(c.position, c.count, c.direction), c.expected)
            << c.position << " " << c.count << " " << c.direction;
}

}  // namespace
