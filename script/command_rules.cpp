#include "script/command_rules.h"

namespace {

using W = Word;

std::vector<CommandRule> makeTable() {
    const W N = W::Number;
    const WhenShort ShortSkips = WhenShort::SkipsLine, ShortEnds = WhenShort::EndsScript;
    const AtConsole Refused = AtConsole::Refused;
    return {
        {"playmovie",
         "playmovie FILE [START STOP]",
         2,
         4,
         {W::MovieFile, W::MovieTime, W::MovieTime}},
        {"savegame", "savegame", 1, 1, {}},
        {"loadgame", "loadgame", 1, 1, {}},
        {"if", "if CONDITION", 2, -1, {W::Condition}, false, ShortEnds, Refused},
        {"elseif", "elseif CONDITION", 2, -1, {W::Condition}, false, ShortEnds, Refused},
        {"else", "else", 1, 1, {}, false, ShortSkips, Refused},
        {"endif", "endif", 1, 1, {}, false, ShortSkips, AtConsole::Reported},
        {"echoon", "echoon", 1, 1, {}},
        {"echooff", "echooff", 1, 1, {}},
        {"soundlist", "soundlist", 1, 1, {}},
        {"playsound", "playsound FILE", 2, 2, {W::SoundFile}},
        {"playoverlaymovie",
         "playoverlaymovie FILE X Y WIDTH HEIGHT",
         6,
         6,
         {W::MovieFile, N, N, N, N}},
        {"deloverlayimage", "deloverlayimage NAME", 2, 2, {W::ImageName}},
        {"addoverlayimage",
         "addoverlayimage NAME FILE X Y DEPTH",
         6,
         6,
         {W::ImageName, W::PictureFile, N, N, N},
         true},
        {"deloverlayanim", "deloverlayanim NAME", 2, 2, {W::AnimName}},
        // name file x y frameWidth frameHeight frameCount frameDelay depth [flags]
        {"addoverlayanim",
         "addoverlayanim NAME FILE X Y FRAMEWIDTH FRAMEHEIGHT FRAMECOUNT FRAMEDELAY DEPTH [REV] "
         "[LOOP]",
         10,
         12,
         {W::AnimName, W::SheetFile, N, N, N, N, N, N, N, W::AnimFlag, W::AnimFlag},
         true},
        {"addoverlaymovie",
         "addoverlaymovie NAME FILE X Y WIDTH HEIGHT",
         7,
         7,
         {W::MovieName, W::MovieFile, N, N, N, N},
         true},
        {"deloverlaymovie", "deloverlaymovie NAME", 2, 2, {W::MovieName}},
        {"trans", "trans TYPE STEP", 3, 3, {W::TransitionType, N}},
        {"load", "load FILE", 2, 2, {W::ViewFile}},
        {"playmusic", "playmusic [FILE]", 1, 2, {W::MusicFile}},
        {"stopmusic", "stopmusic", 1, 1, {}},
        {"quit", "quit", 1, 1, {}},
        {"debug", "debug", 1, 1, {}},
        {"evalhs", "evalhs", 1, 1, {}},
        {"let", "let NAME=EXPRESSION", 2, -1, {W::Assignment}},
        {"echo", "echo [EXPRESSION]", 1, -1, {W::Expression}},
        {"ret", "ret", 1, 1, {}},
        // A bare "lab" is accepted and does nothing; only "lab NAME" is ever found.
        {"lab", "lab NAME", 1, 2, {W::LabelName}},
        {"goto", "goto NAME", 2, 2, {W::Label}, false, ShortSkips, Refused},
        {"addinv", "addinv ITEM", 2, 2, {W::Item}},
        {"delinv", "delinv ITEM", 2, 2, {W::Item}},
        {"screenshot", "screenshot [FILE]", 1, 2, {W::OutputFile}},
        {"setvol", "setvol PERCENT", 2, 2, {N}},
        {"lisths", "lisths", 1, 1, {}},
        {"enablehs", "enablehs [NAME]", 1, 2, {W::HotspotName}},
        {"disablehs", "disablehs [NAME]", 1, 2, {W::HotspotName}},
        {"beep", "beep", 1, 1, {}},
        // "onload" is the one second word; the handler refuses any other.
        {"reload", "reload [onload]", 1, 2, {}},
    };
}

}  // namespace

const std::vector<CommandRule>& commandRules() {
    static const std::vector<CommandRule> table = makeTable();
    return table;
}

const CommandRule* findCommandRule(const std::string& name) {
    for (const CommandRule& rule : commandRules())
        if (name == rule.name) return &rule;
    return nullptr;
}
