#include "tools/checker/script_checks.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "script/command_specs.h"
#include "script/commands.h"
#include "script/interpreter.h"
#include "script/numbers.h"
#include "tools/checker/expression_checks.h"

namespace {

std::string lowerCase(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

size_t editDistance(const std::string& a, const std::string& b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j) row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] != b[j - 1])});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// "; did you mean 'playsound'?" for a near miss, or nothing.
std::string commandHint(const std::string& word) {
    const std::string lower = lowerCase(word);
    const CommandSpec* best = nullptr;
    size_t bestDistance = 3;
    for (const CommandSpec& rule : commandSpecs()) {
        if (lower == rule.name) return std::string(" (commands are lower case: ") + rule.name + ")";
        size_t d = editDistance(lower, rule.name);
        if (d < bestDistance) {
            bestDistance = d;
            best = &rule;
        }
    }
    return best ? std::string("; did you mean '") + best->name + "'?" : std::string();
}

struct Chain {
    int ifLine;
    int elseLine = 0;
};

// A line after which nothing more of its block runs.
struct Ending {
    const char* command = nullptr;
    int line = 0;
};

}  // namespace

void collectOverlayNames(const Script& script, ViewScope& scope) {
    for (const std::string& line : script) {
        std::vector<std::string> words = splitWords(line);
        if (words.size() < 2) continue;
        if (words[0] == "addoverlayimage") scope.images.insert(words[1]);
        if (words[0] == "addoverlayanim") scope.anims.insert(words[1]);
        if (words[0] == "addoverlaymovie") scope.movies.insert(words[1]);
    }
}

void ScriptChecks::hotspotCondition(const std::string& condition, const Location& at) {
    if (condition == "()") return;
    TextCheck c = checkCondition(condition);
    for (const std::string& name : c.names) facts.noteRead(name, at);
    if (c.tooDeep) {
        sink.error(at, "condition " + quoted(condition) + " is nested too deeply");
    } else if (!c.parses) {
        std::string text = "condition " + quoted(condition) +
                           " does not parse (\"Error in onclick condition " + condition + "\")";
        if (hasLoneEquals(condition)) text += "; comparisons are written '=='";
        sink.error(at, text);
    }
}

void ScriptChecks::check(const ScriptText& script) {
    const Script& lines = script.lines;
    auto locate = [&](size_t i) {
        Location at = script.where;
        at.line = i < script.lineNumbers.size() ? script.lineNumbers[i] : 0;
        return at;
    };

    // Labels first: a "goto" may jump forwards. Only two-word lines are ever found.
    std::map<std::string, int> labels;
    for (size_t i = 0; i < lines.size(); ++i) {
        std::vector<std::string> words = splitWords(lines[i]);
        if (words.size() != 2 || words[0] != "lab") continue;
        const Location at = locate(i);
        auto [it, added] = labels.emplace(words[1], at.line);
        if (!added) {
            sink.error(at, "label " + quoted(words[1]) + " is defined twice (first on line " +
                               std::to_string(it->second) + "); 'goto' finds the first");
        }
    }

    std::vector<Chain> chains;
    std::vector<Ending> endings;  // by block depth
    for (size_t i = 0; i < lines.size(); ++i) {
        const std::vector<std::string> words = splitWords(lines[i]);
        if (words.empty() || isCommentWord(words[0])) continue;
        const Location at = locate(i);
        const std::string& command = words[0];

        // Lines after a jump, a "ret" or a view change in the same block never run,
        // up to a label or the block's end.
        const bool chainWord = command == "elseif" || command == "else" || command == "endif";
        const bool label = command == "lab" && words.size() == 2;
        if (endings.size() <= chains.size()) endings.resize(chains.size() + 1);
        Ending& ending = endings[chains.size()];
        if (ending.command && !chainWord && !label) {
            sink.warning(at, std::string("this line never runs: the '") + ending.command +
                                 "' on line " + std::to_string(ending.line) +
                                 (ending.command == std::string("load")
                                      ? " ends the script once the view is loaded"
                                  : ending.command == std::string("ret") ? " ends the script"
                                                                         : " jumps away"));
        }
        if (ending.command || chainWord || label) ending = Ending();
        if ((command == "load" || command == "goto") && words.size() >= 2) {
            ending = Ending{command == "load" ? "load" : "goto", at.line};
        } else if (command == "ret") {
            ending = Ending{"ret", at.line};
        }

        const CommandSpec* rule = findCommandSpec(command);
        if (!rule) {
            sink.error(at, "unknown command " + quoted(command) + commandHint(command));
            continue;
        }

        // The block structure, as the interpreter collects bodies.
        if (command == "if") {
            chains.push_back({at.line});
            endings.resize(chains.size() + 1);
            endings[chains.size()] = Ending();
        } else if (command == "elseif" || command == "else") {
            if (chains.empty()) {
                sink.error(at, quoted(command) + " without 'if'");
            } else if (chains.back().elseLine) {
                sink.error(at, quoted(command) + " after 'else' (line " +
                                   std::to_string(chains.back().elseLine) + ")");
            } else if (command == "else") {
                chains.back().elseLine = at.line;
            }
        } else if (command == "endif") {
            if (chains.empty()) {
                sink.error(at, "'endif' without 'if'");
            } else {
                chains.pop_back();
            }
        }

        const int count = static_cast<int>(words.size());
        if (command == "lab") {
            if (count != 2)
                sink.warning(at, "a label line is 'lab NAME': 'goto' never finds this one");
            continue;
        }
        if (count < rule->minWords) {
            std::string text =
                std::string("too few arguments for '") + rule->usage + "' (\"Too few arguments\")";
            if (rule->whenShort == WhenShort::EndsScript) text += "; the script ends here";
            sink.error(at, text);
            continue;
        }
        if (command == "playmovie" && count != 2 && count != 4) {
            sink.warning(at, count == 3 ? "a start time alone is ignored: 'playmovie FILE START "
                                          "STOP' reads both times or neither"
                                        : "with more than four words the times are not read and "
                                          "the whole movie plays");
        } else if (command == "addoverlayanim" && count > rule->maxWords) {
            sink.warning(at, "with more than 12 words the flags are not read");
        } else if (rule->maxWords >= 0 && count > rule->maxWords) {
            sink.warning(at, std::string("extra words are ignored: '") + rule->usage + "'");
        }

        const size_t last = std::min(words.size() - 1, rule->words.size());
        for (size_t k = 1; k <= last; ++k) {
            const std::string& word = words[k];
            switch (rule->words[k - 1]) {
                case Word::Number:
                    if (!startsWithInteger(word))
                        sink.warning(at, quoted(word) + " is not a number; the engine reads 0");
                    break;
                case Word::ViewFile:
                    files.view(at, word);
                    facts.loads.emplace_back(word, at);
                    break;
                case Word::PictureFile:
                    files.overlayPicture(at, word);
                    break;
                case Word::SheetFile:
                    files.sheet(at, word, leadingInteger(words[5]), leadingInteger(words[6]),
                                leadingInteger(words[7]));
                    break;
                case Word::SoundFile:
                    files.sound(at, word);
                    break;
                case Word::MusicFile:
                    files.music(at, word);
                    break;
                case Word::MovieFile:
                    files.movie(at, word);
                    break;
                case Word::OutputFile:
                case Word::LabelName:
                    break;
                case Word::ImageName:
                case Word::AnimName:
                case Word::MovieName: {
                    if (rule->definesName) break;
                    const Word kind = rule->words[k - 1];
                    const std::set<std::string>& added = kind == Word::ImageName  ? scope.images
                                                         : kind == Word::AnimName ? scope.anims
                                                                                  : scope.movies;
                    const char* adder = kind == Word::ImageName  ? "addoverlayimage"
                                        : kind == Word::AnimName ? "addoverlayanim"
                                                                 : "addoverlaymovie";
                    if (!added.count(word)) {
                        sink.warning(at, std::string("no '") + adder + "' in this view adds " +
                                             quoted(word) +
                                             " (a view change removes every "
                                             "overlay)");
                    }
                    break;
                }
                case Word::HotspotName:
                    if (command == "disablehs") facts.disabledHotspots.insert(word);
                    if (!scope.hotspotNames.count(word)) {
                        sink.warning(at, "no hotspot named " + quoted(word) + " in this view: '" +
                                             command + "' changes nothing");
                    }
                    break;
                case Word::Item:
                    if (word == kLateItem) {
                        sink.warning(at, std::string("'") + kLateItem +
                                             "' joins the item table only once the player has "
                                             "selected an item; until then the engine reports \"No "
                                             "index for inventory item found\"");
                    } else if (word != kStartItem) {
                        sink.error(at, quoted(word) + " is not in the item table (" + kStartItem +
                                           ", " + kLateItem +
                                           "): \"No index for inventory item found\"");
                    }
                    break;
                case Word::Label:
                    if (!labels.count(word)) {
                        sink.error(at, "'goto' to label " + quoted(word) +
                                           ", which this script does not define");
                    }
                    break;
                case Word::TransitionType: {
                    const std::string lower = lowerCase(word);
                    if ((lower == "alpha" || lower == "black") && word != lower) {
                        sink.warning(at, quoted(word) +
                                             " is no transition type (types are "
                                             "case-sensitive: 'alpha', 'black'); the "
                                             "view change will be a cut");
                    }
                    break;
                }
                case Word::MovieTime:
                    if (count == 4 && !startsWithInteger(word) &&
                        word != (k == 2 ? "START" : "END"))
                        sink.warning(at, quoted(word) +
                                             " is not a time: a number of tenths of a "
                                             "second, or " +
                                             (k == 2 ? "START" : "END"));
                    break;
                case Word::AnimFlag:
                    if ((count == 11 || count == 12) && word != "REV" && word != "LOOP")
                        sink.warning(at, quoted(word) +
                                             " is no flag (REV and LOOP, upper case); "
                                             "it is ignored");
                    break;
                case Word::Condition: {
                    const std::string text = joinWords(words, k);
                    TextCheck c = checkCondition(text);
                    for (const std::string& name : c.names) facts.noteRead(name, at);
                    if (c.tooDeep) {
                        sink.error(at, "condition " + quoted(text) + " is nested too deeply");
                    } else if (!c.parses) {
                        std::string message = "condition " + quoted(text) + " does not parse";
                        if (hasLoneEquals(text)) message += "; comparisons are written '=='";
                        sink.error(at, message);
                    }
                    k = last;
                    break;
                }
                case Word::Expression: {
                    const std::string text = joinWords(words, k);
                    TextCheck c = checkExpression(text);
                    for (const std::string& name : c.names) facts.noteRead(name, at);
                    if (!c.parses) {
                        sink.error(at, "expression " + quoted(text) +
                                           " does not parse (\"Could not parse expression\")");
                    }
                    k = last;
                    break;
                }
                case Word::Assignment: {
                    const std::string statement = joinWords(words, k);
                    const size_t equals = statement.find('=');
                    if (equals == std::string::npos || equals == 0) {
                        sink.error(at,
                                   "no assignment: 'let NAME=EXPRESSION' (\"No Assignment "
                                   "Obvious\"); the script ends here");
                    } else {
                        const std::string name = statement.substr(0, equals);
                        const std::string text = statement.substr(equals + 1);
                        facts.assigned.insert(name);
                        if (!isReadableName(name)) {
                            sink.warning(at, "variable " + quoted(name) +
                                                 " can be set but no expression can read it "
                                                 "(a name is a letter, then letters, digits and "
                                                 "'_')");
                        }
                        if (text.empty()) {
                            sink.error(at, "nothing to assign to " + quoted(name) +
                                               " (\"No Assignment Obvious\")");
                        } else {
                            TextCheck c = checkExpression(text);
                            for (const std::string& read : c.names) facts.noteRead(read, at);
                            if (!c.parses) {
                                sink.error(at, "expression " + quoted(text) +
                                                   " does not parse (\"Error parsing "
                                                   "expression\"); " +
                                                   quoted(name) + " keeps its value");
                            }
                        }
                    }
                    k = last;
                    break;
                }
            }
        }
    }
    for (const Chain& open : chains) {
        Location at = script.where;
        at.line = open.ifLine;
        sink.error(at, "'if' without 'endif': its body runs to the end of the script");
    }
}
