// The findings of a run as a file a script reads: JSON, or CSV with a
// header line. One record per finding: check, kind, key, value, file,
// target, reason, and after a repair also repaired, backup and what the
// restore point asked for first came to (in JSON once for the run).
#pragma once

#include <string>
#include <vector>

#include "health/findings.h"

namespace corvanta {

enum class ReportFormat { Json, Csv };

// JSON for a file name ending in ".json" (any case), CSV otherwise.
ReportFormat reportFormatFor(const std::string& fileName);

std::string healthReport(const std::vector<Finding>& findings, ReportFormat format,
                         bool repairing, const std::string& restorePoint = {});

}  // namespace corvanta
