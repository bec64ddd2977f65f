#pragma once
// The words accessible play speaks: what a hotspot's cursor means, the save page's slots
// and controls. Plain functions, so every output (text lines, synthesis) says the same.
#include <cstdint>
#include <string>

// "go forward" for cursor 2 and so on; empty for the idle cursor and unknown numbers.
// The take cursor means "put" while an item is held.
std::string cursorMeaning(int32_t cursor, bool holding);
// "the house door, go forward", or the label alone when the cursor says nothing.
std::string hotspotPhrase(const std::string& label, int32_t cursor, bool holding);
// "slot 7, saved Tuesday 11:29", "slot 8, empty"; a stamp that is not a date is read out
// as it stands ("slot 3, DAMAGED").
std::string slotPhrase(int slot, bool used, const std::string& date, const std::string& time);
// "Tuesday" for "2026-12-08"; empty when the text is not a date from 1583 on.
std::string weekdayOf(const std::string& date);
