#include "tools/checker/script_checks.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "game/inventory.h"
#include "script/command_rules.h"
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
    const CommandRule* best = nullptr;
    size_t bestDistance = 3;
    for (const CommandRule& rule : commandRules()) {
        if (lower == rule.name) return std::string(" (commands are lower case: ") + rule.name + ")";
        size_t d = editDistance(lower, rule.name);
        if (d < bestDistance) {
            bestDistance = d;
            best = &rule;
        }
    }
    return best ? std::string("; did you mean '") + best->name + "'?" : std::string();
}

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

namespace {

// One pass over one script: what it has seen so far (labels, open if-chains, the last
// line that ends each block) and a check per concern, in the order a line is read.
class ScriptPass {
public:
    ScriptPass(ScriptChecks& checks, const ScriptText& script) : c_(checks), script_(script) {}

    void run() {
        collectLabels();
        for (size_t i = 0; i < script_.lines.size(); ++i) {
            const std::vector<std::string> words = splitWords(script_.lines[i]);
            if (words.empty() || isCommentWord(words[0])) continue;
            line(words, locate(i));
        }
        for (const Chain& open : chains_) {
            Location at = script_.where;
            at.line = open.ifLine;
            c_.sink.error(at, "'if' without 'endif': its body runs to the end of the script");
        }
    }

private:
    struct Chain {
        int ifLine;
        int elseLine = 0;
    };
    // A line after which nothing more of its block runs.
    struct Ending {
        const char* command = nullptr;
        int line = 0;
    };

    Location locate(size_t i) const {
        Location at = script_.where;
        at.line = i < script_.lineNumbers.size() ? script_.lineNumbers[i] : 0;
        return at;
    }

    void line(const std::vector<std::string>& words, const Location& at) {
        const std::string& command = words[0];
        reachability(words, at);
        const CommandRule* rule = findCommandRule(command);
        if (!rule) {
            c_.sink.error(at, "unknown command " + quoted(command) + commandHint(command));
            return;
        }
        blockStructure(command, at);
        if (!wordCount(*rule, words, at)) return;
        const size_t last = std::min(words.size() - 1, rule->words.size());
        for (size_t k = 1; k <= last; ++k)
            if (word(*rule, words, k, at)) break;  // a joined kind took the rest
    }

    // Labels first: a "goto" may jump forwards. Only two-word lines are ever found.
    void collectLabels() {
        for (size_t i = 0; i < script_.lines.size(); ++i) {
            std::vector<std::string> words = splitWords(script_.lines[i]);
            if (words.size() != 2 || words[0] != "lab") continue;
            const Location at = locate(i);
            auto [it, added] = labels_.emplace(words[1], at.line);
            if (!added) {
                c_.sink.error(at, "label " + quoted(words[1]) +
                                      " is defined twice (first on line " +
                                      std::to_string(it->second) + "); 'goto' finds the first");
            }
        }
    }

    // Lines after a jump, a "ret" or a view change in the same block never run, up to a
    // label or the block's end.
    void reachability(const std::vector<std::string>& words, const Location& at) {
        const std::string& command = words[0];
        const bool chainWord = command == "elseif" || command == "else" || command == "endif";
        const bool label = command == "lab" && words.size() == 2;
        if (endings_.size() <= chains_.size()) endings_.resize(chains_.size() + 1);
        Ending& ending = endings_[chains_.size()];
        if (ending.command && !chainWord && !label) {
            const std::string ender = ending.command;
            c_.sink.warning(at, "this line never runs: the '" + ender + "' on line " +
                                    std::to_string(ending.line) +
                                    (ender == "load"  ? " ends the script once the view is loaded"
                                     : ender == "ret" ? " ends the script"
                                                      : " jumps away"));
        }
        if (ending.command || chainWord || label) ending = Ending();
        if ((command == "load" || command == "goto") && words.size() >= 2) {
            ending = Ending{command == "load" ? "load" : "goto", at.line};
        } else if (command == "ret") {
            ending = Ending{"ret", at.line};
        }
    }

    // The block structure, as the interpreter collects bodies.
    void blockStructure(const std::string& command, const Location& at) {
        if (command == "if") {
            chains_.push_back({at.line});
            endings_.resize(chains_.size() + 1);
            endings_[chains_.size()] = Ending();
        } else if (command == "elseif" || command == "else") {
            if (chains_.empty()) {
                c_.sink.error(at, quoted(command) + " without 'if'");
            } else if (chains_.back().elseLine) {
                c_.sink.error(at, quoted(command) + " after 'else' (line " +
                                      std::to_string(chains_.back().elseLine) + ")");
            } else if (command == "else") {
                chains_.back().elseLine = at.line;
            }
        } else if (command == "endif") {
            if (chains_.empty()) {
                c_.sink.error(at, "'endif' without 'if'");
            } else {
                chains_.pop_back();
            }
        }
    }

    // False when the words are not to be read further.
    bool wordCount(const CommandRule& rule, const std::vector<std::string>& words,
                   const Location& at) {
        const std::string& command = words[0];
        const int count = static_cast<int>(words.size());
        if (command == "lab") {
            if (count != 2)
                c_.sink.warning(at, "a label line is 'lab NAME': 'goto' never finds this one");
            return false;
        }
        if (count < rule.minWords) {
            std::string text =
                std::string("too few arguments for '") + rule.usage + "' (\"Too few arguments\")";
            if (rule.whenShort == WhenShort::EndsScript) text += "; the script ends here";
            c_.sink.error(at, text);
            return false;
        }
        if (command == "playmovie" && count != 2 && count != 4) {
            c_.sink.warning(at, count == 3 ? "a start time alone is ignored: 'playmovie FILE START "
                                             "STOP' reads both times or neither"
                                           : "with more than four words the times are not read and "
                                             "the whole movie plays");
        } else if (command == "addoverlayanim" && count > rule.maxWords) {
            c_.sink.warning(at, "with more than 12 words the flags are not read");
        } else if (rule.maxWords >= 0 && count > rule.maxWords) {
            c_.sink.warning(at, std::string("extra words are ignored: '") + rule.usage + "'");
        }
        return true;
    }

    // Word k of the line by its kind; true when the kind took the rest of the line.
    bool word(const CommandRule& rule, const std::vector<std::string>& words, size_t k,
              const Location& at) {
        const Word kind = rule.words[k - 1];
        switch (kind) {
            case Word::ViewFile:
            case Word::PictureFile:
            case Word::SheetFile:
            case Word::SoundFile:
            case Word::MusicFile:
            case Word::MovieFile:
            case Word::OutputFile:
                file(kind, words, k, at);
                return false;
            case Word::ImageName:
            case Word::AnimName:
            case Word::MovieName:
                if (!rule.definesName) overlayName(kind, words[k], at);
                return false;
            case Word::HotspotName:
            case Word::Item:
            case Word::Label:
            case Word::LabelName:
                name(kind, words[0], words[k], at);
                return false;
            case Word::Number:
            case Word::TransitionType:
            case Word::MovieTime:
            case Word::AnimFlag:
                form(kind, words, k, at);
                return false;
            case Word::Condition:
                condition(joinWords(words, k), at);
                return true;
            case Word::Expression:
                expression(joinWords(words, k), at);
                return true;
            case Word::Assignment:
                assignment(joinWords(words, k), at);
                return true;
        }
        return false;
    }

    void file(Word kind, const std::vector<std::string>& words, size_t k, const Location& at) {
        const std::string& word = words[k];
        switch (kind) {
            case Word::ViewFile:
                c_.files.view(at, word);
                c_.facts.loads.emplace_back(word, at);
                break;
            case Word::PictureFile:
                c_.files.overlayPicture(at, word);
                break;
            case Word::SheetFile:
                c_.files.sheet(at, word, leadingInteger(words[5]), leadingInteger(words[6]),
                               leadingInteger(words[7]));
                break;
            case Word::SoundFile:
                c_.files.sound(at, word);
                break;
            case Word::MusicFile:
                c_.files.music(at, word);
                break;
            case Word::MovieFile:
                c_.files.movie(at, word);
                break;
            default:  // a file the command writes
                break;
        }
    }

    // An overlay name a command looks up: some add command of the view must make it.
    void overlayName(Word kind, const std::string& word, const Location& at) {
        const ViewScope& scope = c_.scope;
        const std::set<std::string>& added = kind == Word::ImageName  ? scope.images
                                             : kind == Word::AnimName ? scope.anims
                                                                      : scope.movies;
        const char* adder = kind == Word::ImageName  ? "addoverlayimage"
                            : kind == Word::AnimName ? "addoverlayanim"
                                                     : "addoverlaymovie";
        if (!added.count(word)) {
            c_.sink.warning(at, std::string("no '") + adder + "' in this view adds " +
                                    quoted(word) + " (a view change removes every overlay)");
        }
    }

    void name(Word kind, const std::string& command, const std::string& word, const Location& at) {
        if (kind == Word::HotspotName) {
            if (command == "disablehs") c_.facts.disabledHotspots.insert(word);
            if (!c_.scope.hotspotNames.count(word)) {
                c_.sink.warning(at, "no hotspot named " + quoted(word) + " in this view: '" +
                                        command + "' changes nothing");
            }
        } else if (kind == Word::Item) {
            item(word, at);
        } else if (kind == Word::Label && !labels_.count(word)) {
            c_.sink.error(
                at, "'goto' to label " + quoted(word) + ", which this script does not define");
        }
    }

    void item(const std::string& word, const Location& at) {
        if (word == Inventory::kLateItem) {
            c_.sink.warning(at, std::string("'") + Inventory::kLateItem +
                                    "' joins the item table only once the player has "
                                    "selected an item; until then the engine reports \"No "
                                    "index for inventory item found\"");
        } else if (word != Inventory::kStartItem) {
            c_.sink.error(at, quoted(word) + " is not in the item table (" + Inventory::kStartItem +
                                  ", " + Inventory::kLateItem +
                                  "): \"No index for inventory item found\"");
        }
    }

    // Words the engine reads in a fixed form: numbers, transition types, times and flags.
    void form(Word kind, const std::vector<std::string>& words, size_t k, const Location& at) {
        const std::string& word = words[k];
        const size_t count = words.size();
        if (kind == Word::Number) {
            if (!startsWithInteger(word))
                c_.sink.warning(at, quoted(word) + " is not a number; the engine reads 0");
        } else if (kind == Word::TransitionType) {
            const std::string lower = lowerCase(word);
            if ((lower == "alpha" || lower == "black") && word != lower) {
                c_.sink.warning(at, quoted(word) +
                                        " is no transition type (types are case-sensitive: "
                                        "'alpha', 'black'); the view change will be a cut");
            }
        } else if (kind == Word::MovieTime) {
            const char* open = k == 2 ? "START" : "END";
            if (count == 4 && !startsWithInteger(word) && word != open)
                c_.sink.warning(
                    at,
                    quoted(word) + " is not a time: a number of tenths of a second, or " + open);
        } else if (kind == Word::AnimFlag) {
            if ((count == 11 || count == 12) && word != "REV" && word != "LOOP")
                c_.sink.warning(
                    at, quoted(word) + " is no flag (REV and LOOP, upper case); it is ignored");
        }
    }

    void condition(const std::string& text, const Location& at) {
        TextCheck c = checkCondition(text);
        for (const std::string& read : c.names) c_.facts.noteRead(read, at);
        if (c.tooDeep) {
            c_.sink.error(at, "condition " + quoted(text) + " is nested too deeply");
        } else if (!c.parses) {
            std::string message = "condition " + quoted(text) + " does not parse";
            if (hasLoneEquals(text)) message += "; comparisons are written '=='";
            c_.sink.error(at, message);
        }
    }

    void expression(const std::string& text, const Location& at) {
        TextCheck c = checkExpression(text);
        for (const std::string& read : c.names) c_.facts.noteRead(read, at);
        if (!c.parses) {
            c_.sink.error(at, "expression " + quoted(text) +
                                  " does not parse (\"Could not parse expression\")");
        }
    }

    void assignment(const std::string& statement, const Location& at) {
        const size_t equals = statement.find('=');
        if (equals == std::string::npos || equals == 0) {
            c_.sink.error(at,
                          "no assignment: 'let NAME=EXPRESSION' (\"No Assignment Obvious\"); "
                          "the script ends here");
            return;
        }
        const std::string name = statement.substr(0, equals);
        const std::string text = statement.substr(equals + 1);
        c_.facts.assigned.insert(name);
        if (!isReadableName(name)) {
            c_.sink.warning(at, "variable " + quoted(name) +
                                    " can be set but no expression can read it (a name is a "
                                    "letter, then letters, digits and '_')");
        }
        if (text.empty()) {
            c_.sink.error(at,
                          "nothing to assign to " + quoted(name) + " (\"No Assignment Obvious\")");
            return;
        }
        TextCheck c = checkExpression(text);
        for (const std::string& read : c.names) c_.facts.noteRead(read, at);
        if (!c.parses) {
            c_.sink.error(at, "expression " + quoted(text) +
                                  " does not parse (\"Error parsing expression\"); " +
                                  quoted(name) + " keeps its value");
        }
    }

    ScriptChecks& c_;
    const ScriptText& script_;
    std::map<std::string, int> labels_;
    std::vector<Chain> chains_;
    std::vector<Ending> endings_;  // by block depth
};

}  // namespace

void ScriptChecks::check(const ScriptText& script) {
    ScriptPass(*this, script).run();
}
