#include "health/health_report.h"

#include <cstdio>

#include "base/text.h"

namespace corvanta {
namespace {

// A JSON string: quotes, backslashes and control characters escaped; the
// text is UTF-8 already.
std::string jsonText(const std::string& text) {
  std::string out = "\"";
  for (const char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
          out += escaped;
        } else {
          out += c;
        }
    }
  }
  return out + '"';
}

// A CSV field: quoted when it holds a comma, a quote or a line break, a
// quote doubled inside.
std::string csvField(const std::string& text) {
  if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
  std::string out = "\"";
  for (const char c : text) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + '"';
}

// The fields of a record, in the report's order.
std::vector<std::pair<const char*, std::string>> fields(const Finding& finding, bool repairing) {
  std::vector<std::pair<const char*, std::string>> out = {
      {"check", finding.check},   {"kind", kindName(finding.kind)}, {"key", finding.key},
      {"value", finding.value},   {"file", finding.file},           {"target", finding.target},
      {"reason", finding.reason},
  };
  if (repairing) {
    out.emplace_back("repaired", finding.repaired ? "true" : "false");
    out.emplace_back("backup", finding.backup);
  }
  return out;
}

}  // namespace

ReportFormat reportFormatFor(const std::string& fileName) {
  return fileName.size() >= 5 &&
                 equalsIgnoringCase(std::string_view(fileName).substr(fileName.size() - 5), ".json")
             ? ReportFormat::Json
             : ReportFormat::Csv;
}

std::string healthReport(const std::vector<Finding>& findings, ReportFormat format,
                         bool repairing) {
  std::string out;
  if (format == ReportFormat::Csv) {
    const auto header = fields(Finding{}, repairing);
    for (std::size_t i = 0; i < header.size(); ++i) out += (i ? "," : "") + std::string(header[i].first);
    out += "\r\n";
    for (const Finding& finding : findings) {
      const auto record = fields(finding, repairing);
      for (std::size_t i = 0; i < record.size(); ++i) out += (i ? "," : "") + csvField(record[i].second);
      out += "\r\n";
    }
    return out;
  }
  out = "{\"findings\": [";
  for (std::size_t n = 0; n < findings.size(); ++n) {
    out += n ? ",\n  {" : "\n  {";
    const auto record = fields(findings[n], repairing);
    for (std::size_t i = 0; i < record.size(); ++i) {
      out += (i ? ", " : "") + jsonText(record[i].first) + ": ";
      // repaired is a JSON truth value, the rest are texts
      out += std::string(record[i].first) == "repaired" ? record[i].second : jsonText(record[i].second);
    }
    out += '}';
  }
  return out + (findings.empty() ? "]}\n" : "\n]}\n");
}

}  // namespace corvanta
