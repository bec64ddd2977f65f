#pragma once
// What the checker knows of every script command: how many words it takes and what each
// word is. The counts and kinds follow what the engine's handlers accept; the language's
// own statements are here too.
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

struct CommandSpec {
    const char* name;
    const char* usage;        // "trans TYPE STEP"
    int minWords;             // the command word included; fewer: "Too few arguments"
    int maxWords;             // -1: any number (the rest is joined); more are ignored
    std::vector<Word> words;  // kinds of words 1, 2, ...; joined kinds take the rest
    // What a name word does with its collection: true where the command creates the name
    // ("addoverlayimage lamp ..."), false where it looks it up.
    bool definesName = false;
};

// The rule of a command, or null for a word that is no command.
const CommandSpec* findCommand(const std::string& name);
// Every command, in the engine's dispatch order.
const std::vector<CommandSpec>& commandTable();
