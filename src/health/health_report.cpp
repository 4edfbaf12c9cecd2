#include "health/health_report.h"

#include <cstdio>

#include "base/text.h"

namespace corvanta {
namespace {

// A name read from Windows may hold a lone surrogate, which the program's
// text keeps as the three bytes UTF-8 would give it (ED A0 80 for U+D800);
// strict readers of JSON and CSV refuse those bytes, and any other byte that
// starts no UTF-8 sequence. Both formats write only well-formed UTF-8:
// JSON escapes a lone surrogate as the reader gets it back ("\ud800"), CSV,
// which has no escapes, writes U+FFFD in its place. A stray byte becomes
// U+FFFD in both.
constexpr char32_t kReplacement = 0xFFFD;

bool isSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// The next code point of `text` from `at`, moving past it; a byte that
// starts no sequence is `kReplacement`. The two halves of a pair written
// one after the other (text joined from two names) are the character they
// make in UTF-16.
char32_t nextReportedCodePoint(std::string_view text, std::size_t& at) {
  const auto next = [&](std::size_t& from) {
    const std::size_t start = from;
    const char32_t c = nextCodePoint(text, from);
    return from == start + 1 && c >= 0x80 ? kReplacement : c;
  };
  const char32_t c = next(at);
  if (c < 0xD800 || c > 0xDBFF || at == text.size()) return c;
  std::size_t after = at;
  const char32_t low = next(after);
  if (low < 0xDC00 || low > 0xDFFF) return c;
  at = after;
  return 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
}

// A JSON string: quotes, backslashes, control characters and lone
// surrogates escaped, everything else as its UTF-8.
std::string jsonText(std::string_view text) {
  std::string out = "\"";
  for (std::size_t at = 0; at < text.size();) {
    const char32_t c = nextReportedCodePoint(text, at);
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
        if (c < 0x20 || isSurrogate(c)) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
          out += escaped;
        } else {
          appendCodePoint(out, c);
        }
    }
  }
  return out + '"';
}

// A CSV field: U+FFFD for a lone surrogate; quoted when it holds a comma, a
// quote or a line break, a quote doubled inside.
std::string csvField(std::string_view text) {
  std::string field;
  field.reserve(text.size());
  for (std::size_t at = 0; at < text.size();) {
    const char32_t c = nextReportedCodePoint(text, at);
    appendCodePoint(field, isSurrogate(c) ? kReplacement : c);
  }
  if (field.find_first_of(",\"\r\n") == std::string::npos) return field;
  std::string out = "\"";
  for (const char c : field) out += c == '"' ? std::string("\"\"") : std::string(1, c);
  return out + '"';
}

// The fields of a record, in the report's order; the restore point's
// outcome too when given (a CSV record repeats it).
std::vector<std::pair<const char*, std::string>> fields(const Finding& finding, bool repairing,
                                                        const std::string* restorePoint) {
  std::vector<std::pair<const char*, std::string>> out = {
      {"check", finding.check},   {"kind", kindName(finding.kind)}, {"key", finding.key},
      {"value", finding.value},   {"file", finding.file},           {"target", finding.target},
      {"reason", finding.reason},
  };
  if (repairing) {
    out.emplace_back("repaired", finding.repaired ? "true" : "false");
    out.emplace_back("backup", finding.backup);
    if (restorePoint) out.emplace_back("restorepoint", *restorePoint);
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
                         bool repairing, const std::string& restorePoint) {
  std::string out;
  if (format == ReportFormat::Csv) {
    const auto header = fields(Finding{}, repairing, &restorePoint);
    for (std::size_t i = 0; i < header.size(); ++i) out += (i ? "," : "") + std::string(header[i].first);
    out += "\r\n";
    for (const Finding& finding : findings) {
      const auto record = fields(finding, repairing, &restorePoint);
      for (std::size_t i = 0; i < record.size(); ++i) out += (i ? "," : "") + csvField(record[i].second);
      out += "\r\n";
    }
    return out;
  }
  out = "{\"findings\": [";
  for (std::size_t n = 0; n < findings.size(); ++n) {
    out += n ? ",\n  {" : "\n  {";
    const auto record = fields(findings[n], repairing, nullptr);
    for (std::size_t i = 0; i < record.size(); ++i) {
      out += (i ? ", " : "") + jsonText(record[i].first) + ": ";
      // repaired is a JSON truth value, the rest are texts
      out += std::string(record[i].first) == "repaired" ? record[i].second : jsonText(record[i].second);
    }
    out += '}';
  }
  out += findings.empty() ? "]" : "\n]";
  // Once for the run, not once a finding.
  if (repairing) out += ", \"restorePoint\": " + jsonText(restorePoint);
  return out + "}\n";
}

}  // namespace corvanta
