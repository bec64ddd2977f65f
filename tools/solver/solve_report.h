#pragma once
// The solver's findings as text for authors or as one JSON object for tools, and the
// exit status they mean.
#include <string>

#include "tools/solver/analysis.h"

enum SolveStatus { kFinishable = 0, kDeadEndsOrNoEnding = 1, kUnreadable = 2, kIncomplete = 3 };

struct ReportFigures {
    size_t peakBytes = 0;  // the process's peak memory, 0 when unknown
};

std::string reportText(const Exploration& e, const Analysis& a, const ReportFigures& f);
std::string reportJson(const Exploration& e, const Analysis& a, const ReportFigures& f);
SolveStatus solveStatus(const Exploration& e, const Analysis& a);
