#include "script/command_rules.h"
#include "script/commands.h"
#include "support/engine_test.h"

namespace {

using ::testing::ElementsAre;
using Interpreter = EngineTest;

TEST_F(Interpreter, SplitsAtSpacesOnly) {
    EXPECT_THAT(splitWords("  a  b\tc  "), ElementsAre("a", "b\tc"));
    EXPECT_TRUE(splitWords("   ").empty());
}

TEST_F(Interpreter, GotoSkipsToLabelAndMissingLabelsFallThrough) {
    run({"goto b", "echo 1", "lab b", "echo 2"});
    EXPECT_THAT(texts(), ElementsAre("2"));
    lines.clear();
    run({"goto nowhere", "echo 3"});
    EXPECT_THAT(texts(), ElementsAre("Error:  Could not find goto label nowhere", "3"));
    lines.clear();
    // A goto on the last line still jumps; "lab" lines with the wrong word count never match.
    run({"lab", "lab x y", "let n=n+1", "if n<3", "goto x", "endif"});
    EXPECT_EQ(var("n"), 1);
    EXPECT_THAT(reds(), ElementsAre("Error:  Could not find goto label x"));
}

TEST_F(Interpreter, JumpLimitEndsTheScriptAndClearsTheLabel) {
    run({"lab top", "let n=n+1", "goto top"});
    EXPECT_EQ(var("n"), 100);  // 99 jumps taken after the first pass
    EXPECT_THAT(reds(), ElementsAre("Error:  Excessive goto, suspect infinite loop"));
    EXPECT_TRUE(interpreter().pendingLabel().empty());
    lines.clear();
    run({"echo 5"});
    EXPECT_THAT(texts(), ElementsAre("5"));
}

TEST_F(Interpreter, CommentsEchoAndUnknownCommands) {
    interpreter().setEchoLines(true);
    run({"// note", "//note", "/ note", "PLAYSOUND x.wav"});
    EXPECT_THAT(texts(), ElementsAre("-> / note", "Unknown Command", "-> PLAYSOUND x.wav",
                                     "Unknown Command"));
}

TEST_F(Interpreter, IfChainsRunOneBranch) {
    g().variables["x"] = 1;
    run({"if x==1", "echo 1", "elseif x==1", "echo 2", "else", "echo 3", "endif", "echo 4"});
    EXPECT_THAT(texts(), ElementsAre("1", "4"));
    lines.clear();
    run({"if x==2", "echo 1", "elseif y==0", "echo 2", "else", "echo 3", "endif"});
    EXPECT_THAT(texts(), ElementsAre("2"));
    lines.clear();
    run({"if x == 2", "echo 1", "else", "echo 3", "endif", "if x= =1", "echo 5", "endif"});
    EXPECT_THAT(texts(), ElementsAre("3", "5"));
}

// "endif" ends a chain: a later chain starts with no branch taken, whether the earlier
// one took its "if", an "elseif" or its "else".
TEST_F(Interpreter, EachChainStartsWithNoBranchTaken) {
    g().variables["x"] = 1;
    struct Row {
        Script script;
        std::vector<std::string> printed;
    };
    const Row rows[] = {
        {{"if x==1", "echo 1", "endif", "if x==2", "echo 2", "else", "echo 3", "endif"},
         {"1", "3"}},
        {{"if x==1", "echo 1", "endif", "if x==2", "echo 2", "elseif x==1", "echo 4", "endif"},
         {"1", "4"}},
        {{"if x==0", "echo 1", "elseif x==1", "echo 2", "endif", "if x==0", "echo 3", "else",
          "echo 4", "endif"},
         {"2", "4"}},
        {{"if x==0", "echo 1", "else", "echo 2", "endif", "if x==0", "echo 3", "else", "echo 4",
          "endif"},
         {"2", "4"}},
        // Without its "endif" the first chain is still open: the "else" belongs to it.
        {{"if x==1", "echo 1", "if x==2", "echo 2", "endif", "else", "echo 3", "endif"}, {"1"}},
    };
    for (const Row& row : rows) {
        lines.clear();
        run(row.script);
        EXPECT_EQ(texts(), row.printed) << row.script.front();
    }
}

TEST_F(Interpreter, NestedBlocksAndRet) {
    g().variables["a"] = 1;
    run({"if a==1", "if b==1", "echo 1", "else", "echo 2", "ret", "echo 9", "endif", "echo 3",
         "endif", "echo 4"});
    EXPECT_THAT(texts(), ElementsAre("2", "3", "4"));
    lines.clear();
    run({"echo 1", "ret", "echo 2"});
    EXPECT_THAT(texts(), ElementsAre("1"));
}

TEST_F(Interpreter, GotoInsideABodyJumpsInTheOuterScript) {
    run({"if a==0", "goto out", "echo 1", "endif", "echo 2", "lab out", "echo 3"});
    EXPECT_THAT(texts(), ElementsAre("3"));
}

TEST_F(Interpreter, EchoShowsBodyLinesOnlyWhenTheyRun) {
    interpreter().setEchoLines(true);
    run({"if a==1", "echo 1", "endif"});
    EXPECT_THAT(texts(), ElementsAre("-> if a==1", "-> endif"));
}

TEST_F(Interpreter, IfWithoutConditionEndsTheScript) {
    run({"if", "echo 1"});
    EXPECT_THAT(texts(), ElementsAre("Error in Cmd: if", "Too few arguments"));
}

// Every described command with its fewest words less one gets the red pair before its
// handler runs, and with its fewest words does not; the script goes on unless the row says
// a short line ends it.
TEST_F(Interpreter, WordCountsComeFromEachCommandsRow) {
    for (const CommandRule& rule : commandRules()) {
        if (rule.minWords < 2) continue;
        std::string line = rule.name;
        for (int word = 2; word < rule.minWords; ++word) line += " x";
        lines.clear();
        run({line, "echo 7"});
        std::vector<std::string> expected{"Error in Cmd: " + line, "Too few arguments"};
        if (rule.whenShort == WhenShort::SkipsLine) expected.push_back("7");
        EXPECT_EQ(texts(), expected) << line;
        lines.clear();
        run({line + " x"});
        EXPECT_THAT(texts(), ::testing::Not(::testing::Contains("Too few arguments"))) << line;
    }
}

// At the console a block statement is refused before its words are counted; any other
// command is counted as in a script. Each row with its fewest words less one, and a block
// statement with them too.
TEST_F(Interpreter, TheConsoleRefusalComesBeforeTheWordCount) {
    for (const CommandRule& rule : commandRules()) {
        const bool block = rule.atConsole != AtConsole::Runs;
        std::string line = rule.name;
        for (int word = 2; word < rule.minWords; ++word) line += " x";
        std::vector<std::string> typed;
        if (rule.minWords >= 2) typed.push_back(line);
        if (block) typed.push_back(line + " x");
        for (const std::string& text : typed) {
            lines.clear();
            run({text}, true);
            const char* reason =
                block ? "Cannot use block statements in console" : "Too few arguments";
            EXPECT_THAT(texts(), ElementsAre("Error in Cmd: " + text, reason)) << text;
        }
    }
}

TEST_F(Interpreter, ConsoleRefusesBlockStatements) {
    run({"if x==1"}, true);
    run({"endif"}, true);
    run({"goto a"}, true);
    run({"else"}, true);
    EXPECT_THAT(texts(),
                ElementsAre("Error in Cmd: if x==1", "Cannot use block statements in console",
                            "Error in Cmd: endif", "Cannot use block statements in console",
                            "Error in Cmd: goto a", "Cannot use block statements in console",
                            "Error in Cmd: else", "Cannot use block statements in console"));
    EXPECT_TRUE(interpreter().pendingLabel().empty());
}

TEST_F(Interpreter, LetOutcomes) {
    run({"let count=count+1", "let n = 10 - 3", "let m=-5", "let k=5 5"});
    EXPECT_EQ(var("count"), 1);
    EXPECT_EQ(var("n"), 7);
    EXPECT_EQ(var("m"), -5);
    EXPECT_EQ(var("k"), 55);
    run({"let n=-5+3", "let n=1+"});
    EXPECT_EQ(var("n"), 7);
    EXPECT_THAT(reds(), ElementsAre("Error in Cmd: let n=-5+3", "Error parsing expression",
                                    "Error in Cmd: let n=1+", "Error parsing expression"));
    lines.clear();
    run({"let x=", "echo 1", "let x", "echo 2"});
    EXPECT_THAT(texts(), ElementsAre("Error in Cmd: let x=", "No Assignment Obvious", "1",
                                     "Error in Cmd: let x", "No Assignment Obvious"));
    lines.clear();
    run({"let =5", "echo 1"});
    EXPECT_THAT(texts(), ElementsAre("Error in Cmd: let =5", "No Assignment Obvious"));
}

TEST_F(Interpreter, DeepNestingIsRefusedNotFatal) {
    // Each block runs one level deeper: 48 levels run, the 49th is refused.
    for (int levels : {48, 49, 200}) {
        Script script;
        for (int i = 0; i < levels; ++i) script.push_back("if a==0");
        script.push_back("echo 1");
        for (int i = 0; i < levels; ++i) script.push_back("endif");
        lines.clear();
        run(script);
        if (levels <= ::Interpreter::kMaxScriptDepth)
            EXPECT_THAT(texts(), ElementsAre("1")) << levels;
        else
            EXPECT_THAT(reds(), ElementsAre("Error:  Scripts nested too deeply")) << levels;
    }
}

TEST_F(Interpreter, OverDeepExpressionsSayWhyBeforeTheCommandError) {
    std::string deep = std::string(65, '(') + "1" + std::string(65, ')');
    run({"let n=" + deep, "echo " + deep, "if n==" + deep, "echo 2", "endif"});
    EXPECT_THAT(texts(),
                ElementsAre("Error:  Expression nested too deeply", "Error in Cmd: let n=" + deep,
                            "Error parsing expression", "Error:  Expression nested too deeply",
                            "Error in Cmd: echo " + deep, "Could not parse expression",
                            "Error:  Expression nested too deeply"));
}

// Each engine's table is its own: replacing a command changes only that engine.
TEST_F(Interpreter, CommandsCanBeReplacedPerEngine) {
    run({"playsound x.wav"});
    EXPECT_THAT(texts(), ElementsAre("Error in Cmd: playsound x.wav", "Cannot find file"));
    lines.clear();
    interpreter().registerCommand("playsound", [](CommandContext& ctx) {
        ctx.print("played " + ctx.words[1], kWhite);
        return CommandResult::Continue;
    });
    run({"playsound x.wav", "savegame"});
    EXPECT_THAT(texts(), ElementsAre("played x.wav"));
    Variables variables;
    SilentSink silent;
    ::Interpreter other(variables, silent);
    EXPECT_EQ(other.findCommand("playsound"), nullptr);  // only the language's own
    EXPECT_NE(other.findCommand("let"), nullptr);
}

}  // namespace
