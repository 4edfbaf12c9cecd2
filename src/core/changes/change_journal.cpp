#include "core/changes/change_journal.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <string_view>
#include <tuple>
#include <unordered_map>

#include "base/text.h"
#include "core/program_folders.h"
#include "platform/file_port.h"
#include "platform/registry_port.h"
#include "platform/system_port.h"

namespace corvanta {
namespace {

// Lines written under one taking of the lock while it is held (holdLock):
// a few milliseconds of a repair's deletes.
constexpr int kLinesPerLock = 256;

// Fields are tab-separated; a field's own tabs, line breaks and
// backslashes are escaped (escapedLine), so a record is always one line.
std::vector<std::string> fields(std::string_view line) {
  std::vector<std::string> out;
  for (std::size_t start = 0;;) {
    const std::size_t tab = std::min(line.find('\t', start), line.size());
    const std::string_view field = line.substr(start, tab - start);
    out.push_back(unescapedLine(field));
    if (tab == line.size()) return out;
    start = tab + 1;
  }
}

// A record's field `n` as written, found without copying: a journal of
// years holds hundreds of thousands of lines.
std::string_view fieldAt(std::string_view record, std::size_t n) {
  for (; n > 0; --n) {
    const std::size_t tab = record.find('\t');
    if (tab == std::string_view::npos) return {};
    record.remove_prefix(tab + 1);
  }
  return record.substr(0, record.find('\t'));
}

std::string stateText(const ValueState& state) {
  if (!state.present) return "-";
  std::string text = std::to_string(state.type) + ':';
  char pair[3];
  for (const std::uint8_t byte : state.data) {
    std::snprintf(pair, sizeof pair, "%02x", byte);
    text += pair;
  }
  return text;
}

int hexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool parseState(const std::string& text, ValueState& state) {
  state = {};
  if (text == "-") return true;
  const std::size_t colon = text.find(':');
  if (colon == std::string::npos || colon == 0 || colon > 10 || (text.size() - colon - 1) % 2)
    return false;
  std::uint64_t type = 0;
  for (std::size_t i = 0; i < colon; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    type = type * 10 + static_cast<std::uint64_t>(text[i] - '0');
  }
  if (type > 0xFFFFFFFFu) return false;
  state.data.reserve((text.size() - colon - 1) / 2);
  for (std::size_t i = colon + 1; i < text.size(); i += 2) {
    const int high = hexDigit(text[i]);
    const int low = hexDigit(text[i + 1]);
    if (high < 0 || low < 0) return false;
    state.data.push_back(static_cast<std::uint8_t>(high << 4 | low));
  }
  state.type = static_cast<std::uint32_t>(type);
  state.present = true;
  return true;
}

// A field's whole number; 0 for anything else.
GroupId number(std::string_view text) {
  if (text.empty() || text.size() > 18) return 0;
  GroupId value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9') return 0;
    value = value * 10 + (c - '0');
  }
  return value;
}

// CRC-32 (the polynomial of zip and PNG) of a record, as its line's check;
// a byte at a time through a table, as the journal's reader checks every
// line of a file that may hold hundreds of thousands.
constexpr std::array<std::uint32_t, 256> kCrcTable = [] {
  std::array<std::uint32_t, 256> table{};
  for (std::uint32_t byte = 0; byte < 256; ++byte) {
    std::uint32_t crc = byte;
    for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    table[byte] = crc;
  }
  return table;
}();

std::uint32_t crc32(std::string_view text) {
  std::uint32_t crc = 0xFFFFFFFFu;
  for (const char c : text)
    crc = (crc >> 8) ^ kCrcTable[(crc ^ static_cast<std::uint8_t>(c)) & 0xFFu];
  return ~crc;
}

// The check a line begins with ("#" and eight small hex digits), or
// nothing when it is not one.
std::optional<std::uint32_t> checkOf(std::string_view digits) {
  std::uint32_t value = 0;
  for (const char c : digits) {
    const int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
    if (digit < 0) return std::nullopt;
    value = value << 4 | static_cast<std::uint32_t>(digit);
  }
  return value;
}

// A record as written now: "#" and its check in hex, a tab, the record.
std::string checked(const std::string& record) {
  char check[10];
  std::snprintf(check, sizeof check, "#%08x", crc32(record));
  return check + ('\t' + record) + "\r\n";
}

// The record a line holds: a checked line whose check matches, or a line
// written before lines were checked; nothing for a line cut short or
// damaged.
std::optional<std::string_view> recordOf(std::string_view line) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (line.empty() || line[0] != '#') return line;
  if (line.size() < 10 || line[9] != '\t') return std::nullopt;
  const std::string_view record = line.substr(10);
  if (checkOf(line.substr(1, 8)) != crc32(record)) return std::nullopt;
  return record;
}

// The number a group's line gives its group; 0 for any other line.
GroupId groupLineId(std::string_view record) {
  if (record.size() < 3 || record[0] != 'G' || record[1] != '\t') return 0;
  const std::string_view rest = record.substr(2);
  return number(rest.substr(0, rest.find('\t')));
}

// The last group's number, read back from the end of the journal: a group's
// lines come after its own, so the last group line names the newest group.
GroupId lastGroupIn(SharedFile& journal) {
  constexpr std::size_t kChunk = 64 * 1024;
  std::uint64_t end = journal.size();
  std::string partial;  // the start of a line the chunk read last began
  while (end > 0) {
    const std::uint64_t start = end > kChunk ? end - kChunk : 0;
    std::string chunk;
    if (journal.readAt(start, static_cast<std::size_t>(end - start), chunk) != kErrorSuccess)
      return 0;
    chunk += partial;
    std::size_t stop = chunk.size();
    for (;;) {
      const std::size_t newline = stop == 0 ? std::string::npos : chunk.rfind('\n', stop - 1);
      if (newline == std::string::npos && start > 0) break;  // the line goes on in the chunk before
      const std::size_t from = newline == std::string::npos ? 0 : newline + 1;
      if (const auto record = recordOf(std::string_view(chunk).substr(from, stop - from))) {
        if (const GroupId id = groupLineId(*record)) return id;
      }
      if (newline == std::string::npos) return 0;
      stop = newline;
    }
    partial = chunk.substr(0, stop);
    end = start;
  }
  return 0;
}

std::string twoDigits(int value) { return (value < 10 ? "0" : "") + std::to_string(value); }

// The line a compaction puts at the journal's end before it rewrites it,
// which the rewrite's cut takes away again: found there, it tells that a
// rewrite was cut short. No group's; read past by every reader.
const std::string& compactingLine() {
  static const std::string line = checked("C");
  return line;
}

std::string dateOf(const LocalTime& time) {
  return std::to_string(time.year) + '-' + twoDigits(time.month) + '-' + twoDigits(time.day);
}

}  // namespace

std::string describe(const ValueState& state) {
  if (!state.present) return "(none)";
  const Bytes& data = state.data;
  if (state.type == kRegSz || state.type == kRegExpandSz || state.type == kRegMultiSz) {
    std::string text(data.begin(),
                     data.begin() + static_cast<std::ptrdiff_t>(
                                        lengthWithoutTerminators(data.data(), data.size(), 2)));
    std::replace(text.begin(), text.end(), '\0', ',');
    return text;
  }
  if (state.type == kRegDword && data.size() == 4) {
    return std::to_string(data[0] | data[1] << 8 | data[2] << 16 |
                          static_cast<std::uint32_t>(data[3]) << 24);
  }
  std::string hex;
  char pair[4];
  for (const std::uint8_t byte : data) {
    std::snprintf(pair, sizeof pair, hex.empty() ? "%02X" : " %02X", byte);
    hex += pair;
  }
  return hex;
}

std::string describe(const Change& change) {
  switch (change.kind) {
    case Change::Kind::Value:
      // The value's name first: a key's path is long, and lists cut it.
      return (change.name.empty() ? "(Default)" : change.name) + " \u2014 " + change.key;
    case Change::Kind::Key:
      return change.key;
    case Change::Kind::File:
    case Change::Kind::Parameter:
      return change.name;
  }
  return {};
}

std::string ChangeJournal::path() {
  const std::string data = folders_.data();
  return data.empty() ? std::string() : data + "\\changes.log";
}

std::string ChangeJournal::ownFolder() { return folders_.data(); }

ChangeJournal::ChangeJournal(FilePort& files, ProgramFolders& folders, SystemPort& system,
                             JournalLimits limits)
    : files_(files), folders_(folders), system_(system), limits_(limits) {}

ChangeJournal::~ChangeJournal() = default;

std::string ChangeJournal::copiesFolder() {
  const std::string data = folders_.data();
  if (data.empty()) return {};
  const std::string folder = data + "\\Changes";
  if (copiesMade_ != folder) {
    if (!makeFolderTree(files_, folder)) return {};
    copiesMade_ = folder;
  }
  return folder;
}

bool ChangeJournal::append(bool inGroup, const std::function<std::string(GroupId)>& compose) {
  // One handle for the whole group, its folder made once: a repair of
  // thousands of entries writes thousands of lines.
  if (!file_) {
    const std::string file = path();
    if (file.empty()) return false;
    const std::string folder = file.substr(0, file.rfind('\\'));
    if (folderMade_ != folder) {
      if (!makeFolderTree(files_, folder)) return false;
      folderMade_ = folder;
    }
    if (files_.openShared(file, file_) != kErrorSuccess) return false;
  }
  SharedFile& journal = *file_;
  // While the lock has been ours since this journal's last line, the file
  // ends where that line left it.
  const bool lockedSinceLastLine = locked_ && leftAt_ != 0;
  if (!locked_) {
    if (journal.lock() != kErrorSuccess) return false;
    locked_ = true;
    linesLocked_ = 0;
  }
  std::string text;
  // A line cut short is ended, so that this one is not read into it.
  // Where the file ends as this journal left it, it ends with this
  // journal's own line: nothing to read back, and no compaction began
  // since (it would have marked the end).
  std::uint64_t size = lockedSinceLastLine ? leftAt_ : journal.size();
  // A compaction cut short is finished before anything is added to a
  // journal it left part rewritten.
  if (size != leftAt_ && finishRewrite(journal, size) != kErrorSuccess) {
    releaseHeldLock();
    return false;
  }
  std::string last;
  if (size > 0 && size != leftAt_ &&
      (journal.readAt(size - 1, 1, last) != kErrorSuccess || last != "\n"))
    text = "\r\n";
  const bool opening = inGroup && group_ == 0;
  GroupId id = group_;
  if (opening) {
    const LocalTime now = system_.localTime();
    const std::string time = dateOf(now) + ' ' + twoDigits(now.hour) + ':' +
                             twoDigits(now.minute) + ':' + twoDigits(now.second);
    id = lastGroupIn(journal) + 1;
    text += checked("G\t" + std::to_string(id) + '\t' + time + '\t' + escapedLine(source_) + '\t' +
                    std::to_string(undoes_));
    if (!note_.empty()) text += checked("N\t" + std::to_string(id) + '\t' + escapedLine(note_));
  }
  text += checked(compose(id));
  const bool written = journal.append(text) == kErrorSuccess;
  leftAt_ = written ? size + text.size() : 0;
  if (holding_ == 0 || ++linesLocked_ >= kLinesPerLock) {
    journal.unlock();
    locked_ = false;
  }
  if (written && opening) group_ = id;
  if (!recording()) {  // outside a group: held no longer than the line
    releaseHeldLock();
    file_.reset();
    leftAt_ = 0;
  }
  return written;
}

void ChangeJournal::begin(const std::string& source, GroupId undoes) {
  if (depth_++ > 0) return;
  source_ = source;
  undoes_ = undoes;
  group_ = 0;
  refused_ = false;
  recorded_.clear();
  firstChangeAsked_ = false;
  note_.clear();
}

void ChangeJournal::end() {
  if (depth_ > 0 && --depth_ == 0) {
    // Compacted by the group that takes it past the limit, right after its
    // last line: a failure leaves every group in the journal. Tried once a
    // run after a failure, so that each later group does not copy and
    // remove again.
    if (!archiveRefused_ && file_ && group_ != 0 && file_->size() > limits_.archiveBytes) {
      releaseHeldLock();
      const long status = archive(*file_);
      archiveRefused_ = status != kErrorSuccess;
      if (archiveRefused_ && archiveFailed_)
        archiveFailed_("The changes journal could not be archived (status " +
                       std::to_string(status) + "); no group is lost.");
    }
    releaseHeldLock();
    file_.reset();
    leftAt_ = 0;
  }
}

void ChangeJournal::holdLock() { ++holding_; }

void ChangeJournal::releaseLock() {
  if (holding_ > 0 && --holding_ == 0) releaseHeldLock();
}

void ChangeJournal::releaseHeldLock() {
  if (locked_ && file_) file_->unlock();
  locked_ = false;
}

bool ChangeJournal::record(const Change& change) {
  if (!recording()) return true;
  if (group_ == 0 && !firstChangeAsked_ && beforeFirstChange_) {
    firstChangeAsked_ = true;
    if (const auto note = beforeFirstChange_()) note_ = *note;
  }
  const bool written = append(true, [&](GroupId group) -> std::string {
    const std::string id = std::to_string(group);
    const std::string view = std::to_string(change.view);
    switch (change.kind) {
      case Change::Kind::Value:
        return "V\t" + id + '\t' + view + '\t' + escapedLine(change.key) + '\t' + escapedLine(change.name) +
               '\t' + stateText(change.before) + '\t' + stateText(change.after);
      case Change::Kind::Key:
        return "K\t" + id + '\t' + view + '\t' + escapedLine(change.key) + '\t' +
               (change.before.present ? "1" : "0") + '\t' + (change.after.present ? "1" : "0");
      case Change::Kind::Parameter:
        return "P\t" + id + '\t' + escapedLine(change.name) + '\t' + stateText(change.before) + '\t' +
               stateText(change.after);
      case Change::Kind::File:
        break;
    }
    if (!change.before.present) return "D\t" + id + '\t' + escapedLine(change.name);
    if (change.copy.empty()) return "R\t" + id + '\t' + escapedLine(change.name);
    return "F\t" + id + '\t' + escapedLine(change.name) + '\t' + escapedLine(change.copy) + '\t' +
           std::to_string(change.attributes);
  });
  if (written) {
    recorded_.push_back(change);
  } else {
    refused_ = true;
  }
  return written;
}

void ChangeJournal::cancelLast() {
  if (group_ == 0) return;
  if (append(true, [](GroupId group) { return "X\t" + std::to_string(group); }) &&
      !recorded_.empty())
    recorded_.pop_back();
}

bool ChangeJournal::markUndone(GroupId group) {
  return append(false, [&](GroupId) { return "U\t" + std::to_string(group); });
}

namespace {

// The groups whose own line `text` holds, in its order, with their changes
// and whether they were undone.
std::vector<ChangeGroup> parseGroups(std::string_view text) {
  std::vector<ChangeGroup> groups;
  std::map<GroupId, std::size_t> byId;
  const auto groupOf = [&](const std::string& id) -> ChangeGroup* {
    const auto found = byId.find(number(id));
    return found == byId.end() ? nullptr : &groups[found->second];
  };
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t stop = text.find('\n', start);
    if (stop == std::string::npos) stop = text.size();
    const auto record = recordOf(text.substr(start, stop - start));
    start = stop + 1;
    // A line that cannot be read (a write cut short) is passed over.
    if (!record) continue;
    const std::vector<std::string> f = fields(*record);
    if (f[0] == "G" && f.size() == 5 && number(f[1]) > 0 && !byId.count(number(f[1]))) {
      byId[number(f[1])] = groups.size();
      ChangeGroup group;
      group.id = number(f[1]);
      group.time = f[2];
      group.source = f[3];
      group.undoes = number(f[4]);
      groups.push_back(std::move(group));
    } else if (f[0] == "V" && f.size() == 7) {
      Change change = Change::value(static_cast<std::uint32_t>(number(f[2])), f[3], f[4], {}, {});
      if (ChangeGroup* group = groupOf(f[1]);
          group && parseState(f[5], change.before) && parseState(f[6], change.after))
        group->changes.push_back(std::move(change));
    } else if (f[0] == "K" && f.size() == 6) {
      if (ChangeGroup* group = groupOf(f[1]))
        group->changes.push_back(Change::keyChange(static_cast<std::uint32_t>(number(f[2])), f[3],
                                                   f[4] == "1", f[5] == "1"));
    } else if (f[0] == "F" && f.size() == 5) {
      if (ChangeGroup* group = groupOf(f[1]))
        group->changes.push_back(
            Change::file(f[2], f[3], static_cast<std::uint32_t>(number(f[4]))));
    } else if (f[0] == "P" && f.size() == 5) {
      Change change = Change::parameter(f[2], {}, {});
      if (ChangeGroup* group = groupOf(f[1]);
          group && parseState(f[3], change.before) && parseState(f[4], change.after))
        group->changes.push_back(std::move(change));
    } else if (f[0] == "R" && f.size() == 3) {
      if (ChangeGroup* group = groupOf(f[1])) group->changes.push_back(Change::folderRemoved(f[2]));
    } else if (f[0] == "D" && f.size() == 3) {
      if (ChangeGroup* group = groupOf(f[1])) group->changes.push_back(Change::folderMade(f[2]));
    } else if (f[0] == "X" && f.size() == 2) {
      if (ChangeGroup* group = groupOf(f[1]); group && !group->changes.empty())
        group->changes.pop_back();
    } else if (f[0] == "N" && f.size() == 3) {
      if (ChangeGroup* group = groupOf(f[1])) group->note = f[2];
    } else if (f[0] == "U" && f.size() == 2) {
      if (ChangeGroup* group = groupOf(f[1])) group->undone = true;
    }
  }
  return groups;
}

}  // namespace

std::vector<GroupSummary> ChangeJournal::summaries(const std::string& file) {
  std::string text;
  if (readWhole(file, text) != kErrorSuccess) return {};
  std::vector<GroupSummary> groups;
  groups.reserve(text.size() / 256);
  // A group by its number: found by halving while numbers only grow, as one
  // writer's do, and through a map from the first that does not.
  std::unordered_map<GroupId, std::size_t> byId;
  bool ascending = true;
  const auto find = [&](GroupId id) -> GroupSummary* {
    if (ascending) {
      const auto at = std::lower_bound(groups.begin(), groups.end(), id,
                                       [](const GroupSummary& g, GroupId n) { return g.id < n; });
      return at != groups.end() && at->id == id ? &*at : nullptr;
    }
    const auto found = byId.find(id);
    return found == byId.end() ? nullptr : &groups[found->second];
  };
  // The fields each kind of line has, as the full reading demands them.
  const auto fieldsOf = [](char kind) -> std::size_t {
    switch (kind) {
      case 'V': return 7;
      case 'K': return 6;
      case 'F': case 'P': return 5;
      case 'R': case 'D': case 'N': return 3;
      case 'X': case 'U': return 2;
      default: return 0;
    }
  };
  for (std::size_t start = 0; start < text.size();) {
    std::size_t stop = text.find('\n', start);
    if (stop == std::string::npos) stop = text.size();
    const std::uint64_t lineStart = start;
    const auto record = recordOf(std::string_view(text).substr(start, stop - start));
    start = stop + 1;
    if (!record || record->size() < 3 || (*record)[1] != '\t') continue;
    const char kind = (*record)[0];
    if (kind == 'G') {
      // Fields found in place: a journal of years holds a hundred thousand.
      const auto count = static_cast<std::size_t>(std::count(record->begin(), record->end(), '\t'));
      const GroupId id = count == 4 ? number(fieldAt(*record, 1)) : 0;
      if (id <= 0) continue;
      if (ascending && !groups.empty() && id <= groups.back().id) {
        if (find(id)) continue;
        ascending = false;
        for (std::size_t i = 0; i < groups.size(); ++i) byId.emplace(groups[i].id, i);
      }
      if (!ascending && !byId.try_emplace(id, groups.size()).second) continue;
      groups.push_back({id, unescapedLine(fieldAt(*record, 2)), unescapedLine(fieldAt(*record, 3)),
                        number(fieldAt(*record, 4)), false, 0, lineStart,
                        std::min<std::uint64_t>(start, text.size())});
      continue;
    }
    if (fieldsOf(kind) == 0 ||
        static_cast<std::size_t>(std::count(record->begin(), record->end(), '\t')) + 1 !=
            fieldsOf(kind))
      continue;
    const std::string_view rest = record->substr(2);
    const GroupId id = number(rest.substr(0, rest.find('\t')));
    // Most lines belong to the group begun last.
    GroupSummary* owner = !groups.empty() && groups.back().id == id ? &groups.back() : find(id);
    if (!owner) continue;
    GroupSummary& group = *owner;
    if (kind == 'U') {
      group.undone = true;
      continue;
    }
    if (kind == 'X') {
      if (group.changes > 0) --group.changes;
    } else if (kind != 'N') {
      ++group.changes;
    }
    // (An undo's mark is left out: it may come any time later.)
    group.to = std::min<std::uint64_t>(start, text.size());
  }
  return groups;
}

std::optional<ChangeGroup> ChangeJournal::group(const GroupSummary& summary,
                                                const std::string& file) {
  const std::string journalFile = path();
  const std::string& read = file.empty() ? journalFile : file;
  std::unique_ptr<SharedFile> journal;
  std::string text;
  if (read.empty() || summary.to <= summary.from || files_.anyMatch(read) != kErrorSuccess ||
      files_.openShared(read, journal) != kErrorSuccess)
    return std::nullopt;
  // Under the lock, so that no compaction is seen half done. Lines moved
  // by one since the summary was read are read as no group, or as the
  // group whole: a group's lines only ever move to the start.
  const bool locked = journal->lock() == kErrorSuccess;
  const long status =
      journal->readAt(summary.from, static_cast<std::size_t>(summary.to - summary.from), text);
  if (locked) journal->unlock();
  if (status != kErrorSuccess) return std::nullopt;
  for (ChangeGroup& group : parseGroups(text)) {
    if (group.id != summary.id) continue;
    group.undone = summary.undone;  // the mark may lie past its lines
    return std::move(group);
  }
  return std::nullopt;
}

std::vector<ChangeGroup> ChangeJournal::groups(const std::string& file) {
  std::string text;
  if (readWhole(file, text) != kErrorSuccess) return {};
  return parseGroups(text);
}

long ChangeJournal::readWhole(const std::string& file, std::string& text) {
  const std::string journalFile = path();
  if (!file.empty() && file != journalFile) return files_.readFile(file, text);
  if (journalFile.empty()) return kErrorPathNotFound;
  // Not made by reading it.
  if (const long status = files_.anyMatch(journalFile); status != kErrorSuccess) return status;
  std::unique_ptr<SharedFile> journal;
  if (const long status = files_.openShared(journalFile, journal); status != kErrorSuccess)
    return status;
  // Read all the same when the lock cannot be had: a writer that holds it
  // for long only appends.
  const bool locked = journal->lock() == kErrorSuccess;
  std::uint64_t size = journal->size();
  long status = locked ? finishRewrite(*journal, size) : kErrorSuccess;
  if (status == kErrorSuccess) status = journal->readAt(0, static_cast<std::size_t>(size), text);
  if (locked) journal->unlock();
  return status;
}

long ChangeJournal::finishRewrite(SharedFile& journal, std::uint64_t& size) {
  // A rewrite writes from the start and cuts the file last: until it is
  // done, the mark the compaction put at the end is there still.
  const std::string& mark = compactingLine();
  std::string tail;
  if (size < mark.size() || journal.readAt(size - mark.size(), mark.size(), tail) != kErrorSuccess ||
      tail != mark)
    return kErrorSuccess;
  std::string text;
  const std::string pending = path() + ".compacting";
  long status = files_.readFile(pending, text);
  if (status == kErrorSuccess) status = journal.rewrite(text);
  if (status == kErrorSuccess) {
    size = text.size();
    files_.deleteFile(pending);  // a copy left behind is never read again
  }
  return status;
}

std::vector<std::string> ChangeJournal::archives() {
  const std::string file = path();
  const std::size_t dot = file.rfind('.');
  std::vector<FileEntry> found;
  if (file.empty() ||
      files_.findFiles(file.substr(0, dot) + "-*" + file.substr(dot), found) != kErrorSuccess)
    return {};
  std::vector<std::string> out;
  const std::string folder = file.substr(0, file.rfind('\\') + 1);
  for (const FileEntry& entry : found) {
    if (!(entry.attributes & kFileAttributeDirectory)) out.push_back(folder + entry.name);
  }
  // By date, and a date's second archive after its first.
  const std::size_t date = dot + 1;  // where "YYYY-MM-DD" begins in each
  std::sort(out.begin(), out.end(), [date](const std::string& a, const std::string& b) {
    return std::make_tuple(a.substr(date, 10), a.size(), a) <
           std::make_tuple(b.substr(date, 10), b.size(), b);
  });
  return out;
}

namespace {

// A journal line as compaction sorts it: its bytes as they are, and the
// group it belongs to (0: a line no group claims, or one that cannot be
// read, which stays).
struct JournalLine {
  std::string_view bytes;
  std::string_view record;  // its record, as written: escapes and all
  char kind = 0;            // the record's kind ('G', 'V', ...), 0 for none
  std::size_t fields = 0;   // how many fields the record has
  GroupId group = 0;
};

struct GroupFacts {
  int lines = 0;  // its own lines: a number given twice (damage) keeps both groups in place
  GroupId undoes = 0;
  bool undone = false;
};


// The groups that leave a journal of `lines` keeping `kept` groups: those
// undone with the undos that undid them, undos whose group left before, and
// the oldest beyond `kept`. The newest group always stays: the next group's
// number is read from it.
std::set<GroupId> leaving(const std::vector<JournalLine>& lines, std::size_t kept) {
  std::map<GroupId, GroupFacts> facts;
  std::vector<GroupId> order;
  for (const JournalLine& line : lines) {
    if (!line.group) continue;
    if (line.kind == 'G') {
      GroupFacts& group = facts[line.group];
      if (++group.lines == 1) order.push_back(line.group);
      group.undoes = line.fields == 5 ? number(fieldAt(line.record, 4)) : 0;
    } else if (line.kind == 'U') {
      facts[line.group].undone = true;
    }
  }
  std::set<GroupId> out;
  if (order.empty()) return out;
  const GroupId newest = order.back();
  const auto movable = [&](GroupId id) { return id != newest && facts[id].lines == 1; };
  std::map<GroupId, std::vector<GroupId>> undos;
  for (const GroupId id : order) {
    if (facts[id].undoes) undos[facts[id].undoes].push_back(id);
  }
  for (const GroupId id : order) {
    const GroupFacts& group = facts[id];
    if (group.undoes != 0) {
      const auto undid = facts.find(group.undoes);
      if ((undid == facts.end() || undid->second.lines == 0) && !group.undone && movable(id))
        out.insert(id);
      continue;
    }
    // An undo that was itself undone put the group back in effect: both stay.
    const auto& its = undos[id];
    if (group.undone && movable(id) && std::all_of(its.begin(), its.end(), [&](GroupId undo) {
          return movable(undo) && !facts[undo].undone;
        })) {
      out.insert(id);
      out.insert(its.begin(), its.end());
    }
  }
  std::vector<GroupId> staying;
  for (const GroupId id : order) {
    if (!out.count(id)) staying.push_back(id);
  }
  for (std::size_t i = 0; i + kept < staying.size(); ++i) {
    if (movable(staying[i])) out.insert(staying[i]);
  }
  return out;
}

}  // namespace

long ChangeJournal::archive(SharedFile& journal) {
  const std::string file = path();
  const std::size_t dot = file.rfind('.');
  if (file.empty() || dot == std::string::npos) return kErrorSuccess;
  if (const long locked = journal.lock(); locked != kErrorSuccess) return locked;
  std::string text;
  std::uint64_t size = journal.size();
  long status = finishRewrite(journal, size);
  if (status == kErrorSuccess) status = journal.readAt(0, static_cast<std::size_t>(size), text);
  std::vector<JournalLine> lines;
  for (std::size_t start = 0; status == kErrorSuccess && start < text.size();) {
    const std::size_t newline = text.find('\n', start);
    const std::size_t stop = newline == std::string::npos ? text.size() : newline + 1;
    JournalLine line;
    line.bytes = std::string_view(text).substr(start, stop - start);
    start = stop;
    std::string_view body = line.bytes;
    if (!body.empty() && body.back() == '\n') body.remove_suffix(1);
    if (const auto record = recordOf(body)) {
      line.record = *record;
      line.fields = static_cast<std::size_t>(std::count(record->begin(), record->end(), '\t')) + 1;
      if (line.fields >= 2 && record->size() > 1 && (*record)[1] == '\t' &&
          std::string_view("GVKFPRDXUN").find((*record)[0]) != std::string_view::npos) {
        line.kind = (*record)[0];
        line.group = number(fieldAt(*record, 1));
      }
    }
    lines.push_back(line);
  }
  const std::set<GroupId> moving =
      status == kErrorSuccess ? leaving(lines, limits_.keptGroups) : std::set<GroupId>();
  if (moving.empty()) {
    journal.unlock();
    return status;
  }

  // A date's first archive takes the date alone; a later one that day a
  // counter after it. Its copies of deleted files go in a folder of its
  // name.
  const std::string date = dateOf(system_.localTime());
  std::string name = file.substr(0, dot) + '-' + date;
  for (int counter = 2;
       counter < 10000 && (files_.anyMatch(name + file.substr(dot)) != kErrorFileNotFound ||
                           files_.anyMatch(name) != kErrorFileNotFound);
       ++counter)
    name = file.substr(0, dot) + '-' + date + '-' + std::to_string(counter);
  const std::string archived = name + file.substr(dot);

  // The copy a file line names, unescaped; empty for any other line.
  const auto copyOf = [](const JournalLine& line) {
    return line.kind == 'F' && line.fields == 5 ? unescapedLine(fieldAt(line.record, 3))
                                                : std::string();
  };
  std::set<std::string> keptCopies;
  for (const JournalLine& line : lines) {
    if (line.kind == 'F' && !moving.count(line.group)) keptCopies.insert(copyOf(line));
  }
  std::map<std::string, std::string> copies;  // the journal's copy, and where it moved
  std::string leaves;
  std::string stays;
  stays.reserve(text.size());
  leaves.reserve(text.size());
  for (const JournalLine& line : lines) {
    if (!moving.count(line.group)) {
      stays += line.bytes;
      continue;
    }
    const std::string copy = copyOf(line);
    if (!copy.empty() && !keptCopies.count(copy) && files_.anyMatch(copy) == kErrorSuccess) {
      std::string& to = copies[copy];
      if (to.empty()) {
        to = name + copy.substr(copy.rfind('\\'));
        status =
            makeFolderTree(files_, name) ? files_.copyFile(copy, to, true) : kErrorPathNotFound;
        if (status != kErrorSuccess) break;
      }
      // The line again, naming where its copy went.
      const std::string_view r = line.record;
      leaves += checked(std::string(r.substr(0, r.size() - fieldAt(r, 3).size() -
                                                      fieldAt(r, 4).size() - 1)) +
                        escapedLine(to) + '\t' + std::string(fieldAt(r, 4)));
      continue;
    }
    leaves += line.bytes;
    if (line.bytes.back() != '\n') leaves += "\r\n";
  }
  // The archive whole first, then what the journal is to hold beside it,
  // then the journal rewritten: until that is written, the journal still
  // holds every group, and what was made for the archive goes again; once
  // it is, whoever next takes the lock finishes a rewrite cut short.
  const std::string pending = file + ".compacting";
  if (status == kErrorSuccess) status = files_.createNewFile(archived, leaves);
  const bool archiveMade = status == kErrorSuccess;
  if (status == kErrorSuccess) status = files_.replaceFile(pending, stays);
  if (status == kErrorSuccess) status = journal.append(compactingLine());
  if (status == kErrorSuccess) {
    size = journal.size();
    status = finishRewrite(journal, size);
    for (const auto& [from, to] : copies) files_.deleteFile(from);
    // The repair backups older than every group kept go with the groups
    // archived (a backup is named by its time, as a group's line gives it).
    for (const JournalLine& line : lines) {
      if (line.kind != 'G' || moving.count(line.group)) continue;
      std::string oldestKept(fieldAt(line.record, 2));
      std::replace(oldestKept.begin(), oldestKept.end(), ':', '-');
      moveBackupsBefore(oldestKept, name + "\\Backups");
      break;
    }
  } else {
    for (const auto& [from, to] : copies) files_.deleteFile(to);
    if (!copies.empty()) files_.removeDirectory(name);
    if (archiveMade) files_.deleteFile(archived);
  }
  journal.unlock();
  return status;
}

void ChangeJournal::moveBackupsBefore(const std::string& time, const std::string& into) {
  const std::string backups = folders_.backups();
  std::vector<FileEntry> found;
  if (backups.empty() || time.size() != 19 ||
      files_.findFiles(backups + "\\*", found) != kErrorSuccess)
    return;
  // "YYYY-MM-DD hh-mm-ss " begins each backup's name.
  const auto stamped = [](const std::string& name) {
    constexpr std::string_view kShape = "0000-00-00 00-00-00 ";
    if (name.size() <= kShape.size()) return false;
    for (std::size_t i = 0; i < kShape.size(); ++i) {
      if (kShape[i] == '0' ? (name[i] < '0' || name[i] > '9') : name[i] != kShape[i]) return false;
    }
    return true;
  };
  for (const FileEntry& entry : found) {
    // What cannot move stays where it is: nothing is lost either way.
    if (stamped(entry.name) && entry.name.compare(0, 19, time) < 0 &&
        makeFolderTree(files_, into))
      files_.moveFile(backups + '\\' + entry.name, into + '\\' + entry.name);
  }
}

std::optional<ChangeGroup> ChangeJournal::newestInEffect() {
  // Read back from the end, a larger tail each time, until the tail holds
  // the line of a group not undone: that group's lines all follow it, and
  // so does any mark that it was undone.
  const std::string file = path();
  std::unique_ptr<SharedFile> journal;
  if (file.empty() || files_.anyMatch(file) != kErrorSuccess ||
      files_.openShared(file, journal) != kErrorSuccess)
    return std::nullopt;
  // Under the lock, so that no compaction is seen half done.
  const bool locked = journal->lock() == kErrorSuccess;
  std::uint64_t finished = journal->size();
  if (locked && finishRewrite(*journal, finished) != kErrorSuccess) {
    journal->unlock();
    return std::nullopt;
  }
  struct Unlock {
    SharedFile& file;
    bool locked;
    ~Unlock() {
      if (locked) file.unlock();
    }
  } unlock{*journal, locked};
  const std::uint64_t size = journal->size();
  for (std::uint64_t tail = 64 * 1024;; tail *= 4) {
    const std::uint64_t start = tail >= size ? 0 : size - tail;
    std::string text;
    if (journal->readAt(start, static_cast<std::size_t>(size - start), text) != kErrorSuccess)
      return std::nullopt;
    // A line the tail begins inside of is not whole.
    if (start > 0) text.erase(0, text.find('\n') + 1);
    std::vector<ChangeGroup> groups = parseGroups(text);
    for (auto group = groups.rbegin(); group != groups.rend(); ++group) {
      if (!group->undone) return std::move(*group);
    }
    if (start == 0) return std::nullopt;
  }
}

}  // namespace corvanta
