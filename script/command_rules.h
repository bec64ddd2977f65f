#pragma once
// Every script command described once: its name, how it is written, how many words it
// takes and what each word is. The interpreter counts a line's words by it before the
// handler runs, the checker reads scripts by it, and a test holds the registered handlers
// and the rows to each other both ways. The language's own statements are here too.
#include <string>
#include <vector>

enum class Word {
    Number,          // read as a leading decimal integer
    ViewFile,        // a view file, followed by the walk
    PictureFile,     // an overlay picture
    SheetFile,       // a frame sheet, cut by the frame words after it
    SoundFile,       // a wave file
    MusicFile,       // music for the FFmpeg decoder
    MovieFile,       // a movie for the FFmpeg decoder
    OutputFile,      // a file the command writes (not checked)
    ImageName,       // an overlay image's script name
    AnimName,        // an overlay animation's script name
    MovieName,       // an overlay movie's script name
    HotspotName,     // a hotspot of the current view
    Item,            // a name of the inventory's item table
    Label,           // the label a "goto" jumps to
    LabelName,       // the name a "lab" line defines
    TransitionType,  // "alpha", "black", anything else cuts
    MovieTime,       // a time in tenths of a second, or START / END
    AnimFlag,        // REV or LOOP
    Condition,       // the rest of the line, joined: a condition
    Expression,      // the rest of the line, joined: an expression
    Assignment,      // the rest of the line, joined: name=expression
};

// What a line with too few words does after the red pair "Too few arguments".
enum class WhenShort {
    SkipsLine,   // the script goes on with its next line
    EndsScript,  // the script ends (a block opener with no condition)
};

// A statement typed at the console. Block statements make no sense on a single line.
enum class AtConsole {
    Runs,
    Refused,   // the red pair "Cannot use block statements in console"; the script ends
    Reported,  // the same red pair, then the statement runs
};

struct CommandRule {
    const char* name;
    const char* usage;        // "trans TYPE STEP"
    int minWords;             // the command word included; fewer: "Too few arguments"
    int maxWords;             // -1: any number (the rest is joined); more are ignored
    std::vector<Word> words;  // kinds of words 1, 2, ...; joined kinds take the rest
    // What a name word does with its collection: true where the command creates the name
    // ("addoverlayimage lamp ..."), false where it looks it up.
    bool definesName = false;
    WhenShort whenShort = WhenShort::SkipsLine;
    AtConsole atConsole = AtConsole::Runs;
};

// The description of a command, or null for a word that is no command.
const CommandRule* findCommandRule(const std::string& name);
// Every command, in the original dispatch order.
const std::vector<CommandRule>& commandRules();
