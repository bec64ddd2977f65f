// The checker's pieces: the pixels it gives a hotspot against the engine's own hit test,
// the JSON lines, the command table against the engine's commands.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "engine/engine.h"
#include "engine/program_services.h"
#include "platform/headless/headless_host.h"
#include "script/command_rules.h"
#include "tools/checker/diagnostics.h"
#include "tools/checker/hotspot_area.h"

namespace {

Hotspot polygon(const std::string& coordinates) {
    Hotspot h;
    h.setCoordinates(coordinates);
    return h;
}

TEST(HotspotArea, RunsHoldExactlyThePixelsTheEngineHits) {
    std::mt19937 random(7);
    for (int shape = 0; shape < 60; ++shape) {
        std::string coordinates;
        const int vertices = 3 + static_cast<int>(random() % 5);
        for (int v = 0; v < vertices; ++v) {
            if (v) coordinates += ",";
            // Mostly inside the view, some beyond its edges.
            coordinates += "(" + std::to_string(static_cast<int>(random() % 760) - 60) + "," +
                           std::to_string(static_cast<int>(random() % 600) - 60) + ")";
        }
        const Hotspot h = polygon(coordinates);
        for (int y = 0; y < kViewHeight; y += 7) {
            std::vector<bool> inRuns(kViewWidth, false);
            for (const PixelRun& run : insideRuns(h, y))
                for (int x = run.from; x <= run.to; ++x) inRuns[static_cast<size_t>(x)] = true;
            for (int x = 0; x < kViewWidth; ++x)
                ASSERT_EQ(inRuns[static_cast<size_t>(x)], h.contains(x, y))
                    << coordinates << " at " << x << "," << y;
        }
    }
}

TEST(HotspotArea, CoveredOnlyWhenEveryPixelIsUnderTheOther) {
    const HotspotArea box(polygon("(100,100),(200,100),(200,200),(100,200)"));
    const HotspotArea same(polygon("(100,100),(200,100),(200,200),(100,200)"));
    const HotspotArea inner(polygon("(150,150),(160,150),(160,160)"));
    const HotspotArea wider(polygon("(99,100),(200,100),(200,200),(99,200)"));
    // One pixel column more than the box: x = 100 is inside it, not inside the box.
    EXPECT_TRUE(inner.coveredBy(box));
    EXPECT_TRUE(same.coveredBy(box));
    EXPECT_TRUE(box.coveredBy(wider));
    EXPECT_FALSE(wider.coveredBy(box));
    EXPECT_FALSE(box.coveredBy(inner));
    // Off the view entirely: nothing to cover, never covered.
    const HotspotArea outside(polygon("(700,10),(800,10),(800,90)"));
    EXPECT_TRUE(outside.empty());
    EXPECT_FALSE(outside.coveredBy(box));
}

TEST(JsonLines, ReadBackWhatTheyWrite) {
    Diagnostic d{"hall.scn", 12,        Severity::Warning, "quote \" backslash \\ tab \t byte \xE9",
                 3,          "door\x01"};
    const std::string line = formatJson(d);
    EXPECT_EQ(
        line,
        "{\"file\":\"hall.scn\",\"line\":12,\"severity\":\"warning\",\"text\":\"quote \\\" "
        "backslash \\\\ tab \\t byte \\u00e9\",\"hotspot\":3,\"hotspotName\":\"door\\u0001\"}");
    Diagnostic back;
    ASSERT_TRUE(parseJsonDiagnostic(line, back));
    EXPECT_EQ(back.text, d.text);
    EXPECT_EQ(back.hotspotName, d.hotspotName);
    EXPECT_EQ(back.hotspot, 3);
    EXPECT_EQ(back.severity, Severity::Warning);
    EXPECT_EQ(formatCompilerStyle(back), "hall.scn:12: warning: " + d.text);
}

TEST(JsonLines, RefuseWhatIsNotOne) {
    Diagnostic d;
    EXPECT_TRUE(parseJsonDiagnostic(
        R"( { "text" : "t", "severity":"error", "line": 4, "file":"a.scn", "other": 1 } )", d));
    EXPECT_EQ(d.line, 4);
    EXPECT_EQ(d.hotspot, -1);
    for (const char* bad :
         {"", "{}", "vorlen-check: 3 views",
          "{\"file\":\"a\",\"severity\":\"fatal\",\"text\":\"t\"}",
          "{\"file\":\"a\",\"severity\":\"error\"}",
          "{\"file\":\"a\",\"severity\":\"error\",\"text\":\"t\"",
          "{\"file\":\"a\",\"severity\":\"error\",\"text\":\"t\"} x",
          "{\"file\":\"a\\u0100\",\"severity\":\"error\",\"text\":\"t\"}",
          "{\"file\":\"a\",\"line\":99999999999,\"severity\":\"error\",\"text\":\"t\"}"})
        EXPECT_FALSE(parseJsonDiagnostic(bad, d)) << bad;
}

TEST(CommandTable, NamesExactlyTheEnginesCommands) {
    ProgramServices none;
    HeadlessHost host(none);
    Engine engine(host);
    std::vector<std::string> engineNames, tableNames;
    for (const CommandRule& rule : commandRules()) {
        tableNames.push_back(rule.name);
        EXPECT_NE(engine.interpreter().findCommand(rule.name), nullptr) << rule.name;
        EXPECT_LE(rule.minWords, rule.maxWords < 0 ? rule.minWords : rule.maxWords) << rule.name;
    }
    EXPECT_EQ(tableNames.size(), 39u);  // the engine's dispatch list and "reload"
    EXPECT_EQ(findCommandRule("PLAYSOUND"), nullptr);
    // The other way: every command an engine registers (the language's own included) has
    // its row, so none is unknown to the checker.
    engineNames = engine.interpreter().commandNames();
    for (const std::string& name : engineNames)
        EXPECT_NE(findCommandRule(name), nullptr) << name << " has no row";
    std::sort(tableNames.begin(), tableNames.end());
    EXPECT_EQ(engineNames, tableNames);
}

}  // namespace
