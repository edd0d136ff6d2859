// The report's rows from the detection results: one group with the minimum's column, and one
// read-only row per detected item with its value and status image.
#pragma once

#include "texts/TextLookup.h"
#include "report/ReportText.h"

#include <vector>

class CReportTree;

namespace report {

// Status image of a detected item's result: none (-1) for information and unknown values.
int StatusImageFor(int testResult);

void FillReportTree(CReportTree& tree, const std::vector<DetectedItem>& items, const TextLookup& texts);

} // namespace report
