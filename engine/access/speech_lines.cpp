#include "engine/access/speech_lines.h"

std::string cursorMeaning(int32_t cursor, bool holding) {
    switch (cursor) {
        case 2:
            return "go forward";
        case 3:
            return "go back";
        case 4:
            return "turn left";
        case 5:
            return "turn right";
        case 6:
            return "use";
        case 7:
            return holding ? "put" : "take";
        default:
            return "";
    }
}

std::string hotspotPhrase(const std::string& label, int32_t cursor, bool holding) {
    const std::string meaning = cursorMeaning(cursor, holding);
    return meaning.empty() ? label : label + ", " + meaning;
}

std::string weekdayOf(const std::string& date) {
    // YYYY-MM-DD exactly.
    if (date.size() != 10 || date[4] != '-' || date[7] != '-') return "";
    int parts[3] = {0, 0, 0};
    const int starts[3] = {0, 5, 8}, lengths[3] = {4, 2, 2};
    for (int p = 0; p < 3; ++p)
        for (int i = 0; i < lengths[p]; ++i) {
            const char c = date[static_cast<size_t>(starts[p] + i)];
            if (c < '0' || c > '9') return "";
            parts[p] = parts[p] * 10 + (c - '0');
        }
    int year = parts[0];
    const int month = parts[1], day = parts[2];
    if (year < 1583 || month < 1 || month > 12 || day < 1 || day > 31) return "";
    // Sakamoto's rule for the Gregorian calendar; 0 is Sunday.
    static const int offsets[] = {0, 3, 2, 5, 0, 3, 5, 1, 4, 6, 2, 4};
    if (month < 3) --year;
    const int weekday = (year + year / 4 - year / 100 + year / 400 + offsets[month - 1] + day) % 7;
    static const char* names[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                  "Thursday", "Friday", "Saturday"};
    return names[weekday];
}

std::string slotPhrase(int slot, bool used, const std::string& date, const std::string& time) {
    std::string phrase = "slot " + std::to_string(slot) + ", ";
    if (!used) return phrase + "empty";
    const std::string weekday = weekdayOf(date);
    if (weekday.empty()) return phrase + date;
    // Hours and minutes are enough to tell saves apart by ear.
    const bool clock = time.size() >= 5 && time[2] == ':';
    return phrase + "saved " + weekday + (clock ? " " + time.substr(0, 5) : "");
}
