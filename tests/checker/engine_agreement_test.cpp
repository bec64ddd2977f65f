// The checker and the engine agree on view files: for generated files, good and broken,
// the checker reports a reading error exactly when engine-headless prints one, with the
// same text.
#include <gtest/gtest.h>

#include <future>
#include <memory>
#include <random>

#include "checker_test_support.h"

namespace {

using namespace checker_test;

const char* const kReaderErrors[] = {
    "Expected Header",       "Expected BASEIMAGE",  "Expected ONLOADSTART", "Expected ONLOADEND",
    "Expected HOTSPOTSTART", "Expected CURSOR",     "Expected COORD",       "Expected ONCONDITION",
    "Expected ONCLICKSTART", "Expected ONCLICKEND", "Expected HOTSPOTEND",  "Script line too long"};

// The reader's error among the engine's console lines ("R  5: Expected COORD"), or empty.
std::string engineError(const headless_test::RunResult& run) {
    for (const std::string& line : run.lines) {
        if (line.rfind("R ", 0) != 0) continue;
        size_t colon = line.find(": ");
        if (colon == std::string::npos) continue;
        const std::string text = line.substr(colon + 2);
        for (const char* e : kReaderErrors)
            if (text == e) return text;
    }
    return std::string();
}

// The checker's reading error for init.scn, in the engine's words, or empty.
std::string checkerError(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        for (const char* e : kReaderErrors) {
            const std::string mark = std::string(": error: ") + e;
            if (line.find(mark) != std::string::npos) return e;
        }
    }
    return std::string();
}

std::vector<std::string> splitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// A good view file, then broken by a few random edits of the kinds authors make:
// a line lost, a keyword misspelt or split by a blank, the file cut short, a script
// line too long, words run together.
std::string generatedView(std::mt19937& random) {
    std::string text = view(
        "let n=1\n", hotspot("door", "beep\n") + hotspot("lamp", "echo n\n", "(n==1)", 6,
                                                         "(200,10),(300,10),(300,100),(200,100)"));
    std::vector<std::string> lines = splitLines(text);
    const int edits = static_cast<int>(random() % 3);
    for (int e = 0; e < edits && !lines.empty(); ++e) {
        size_t at = random() % lines.size();
        switch (random() % 7) {
            case 0:
                lines.erase(lines.begin() + static_cast<long>(at));
                break;
            case 1:
                if (!lines[at].empty()) lines[at][random() % lines[at].size()] = 'X';
                break;
            case 2: {
                size_t blank = lines[at].find(' ');
                if (blank != std::string::npos) lines[at].insert(blank + 1, "two words ");
                break;
            }
            case 3:
                lines.resize(at);
                break;
            case 4:
                lines.insert(lines.begin() + static_cast<long>(at),
                             "echo " + std::string(95 + random() % 3, '7'));
                break;
            case 5:
                if (at + 1 < lines.size()) {
                    lines[at] += lines[at + 1];
                    lines.erase(lines.begin() + static_cast<long>(at + 1));
                }
                break;
            case 6:
                lines.insert(lines.begin() + static_cast<long>(at), "");
                break;
        }
    }
    std::string out;
    for (const std::string& l : lines) out += l + (random() % 2 ? "\r\n" : "\n");
    return out;
}

TEST(EngineAgreement, ReadingErrorsExactlyWhenTheEngineReportsOne) {
    std::mt19937 random(20240611);
    int broken = 0, good = 0;
    // The engine mostly waits on its start-up: runs side by side, a batch at a time.
    constexpr int kBatches = 4, kBatch = 8;
    for (int b = 0; b < kBatches; ++b) {
        std::vector<std::unique_ptr<headless_test::GameFolder>> games;
        std::vector<std::string> texts;
        std::vector<std::future<headless_test::RunResult>> runs;
        for (int i = 0; i < kBatch; ++i) {
            games.push_back(std::make_unique<headless_test::GameFolder>());
            writeEngineFiles(*games.back());
            texts.push_back(generatedView(random));
            games.back()->write("init.scn", texts.back());
            runs.push_back(std::async(std::launch::async, [folder = games.back()->path()] {
                return headless_test::runHeadless(folder, "close\n");
            }));
        }
        for (int i = 0; i < kBatch; ++i) {
            const std::string engine = engineError(runs[i].get());
            const std::string checker = checkerError(checkGame(*games[i], "init.scn"));
            EXPECT_EQ(checker, engine) << "view file:\n" << texts[i];
            ++(engine.empty() ? good : broken);
        }
    }
    // The edits give both kinds.
    EXPECT_GT(broken, 8);
    EXPECT_GT(good, 5);
}

}  // namespace
