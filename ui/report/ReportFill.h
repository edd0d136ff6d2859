// The report's tree from the detection results: one group with the minimum's column, and one
// read-only row per detected item with its value and status image.
#pragma once

#include "framework/Context.h"
#include "texts/TextLookup.h"
#include "report/ReportText.h"

#include <windows.h>

#include <memory>
#include <vector>

class CReportTree;

namespace report {

// Status image of a detected item's result: none (-1) for information and unknown values.
int StatusImageFor(int testResult);

void FillReportTree(CReportTree& tree, const std::vector<DetectedItem>& items, const TextLookup& texts);

// The tree made in the placeholder control, as large as it, with the pane's texts and the status
// images of the resources, filled with the items, its divider where the captions need it; null
// when it cannot be made.
std::unique_ptr<CReportTree> MakeReportTree(HWND placeholder, int controlId, const fw::Resources& resources,
                                            const std::vector<DetectedItem>& items, const TextLookup& texts);

// The status images at the tree's scale: its rows are as high as the scale, and so are they.
void LoadStatusImages(CReportTree& tree, const fw::Resources& resources);

} // namespace report
