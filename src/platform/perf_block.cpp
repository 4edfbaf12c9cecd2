#include "platform/perf_block.h"

#include <cstring>
#include <limits>

namespace corvanta {

const std::uint8_t* PerfBlockReader::at(std::int64_t offset, std::int64_t size) const {
  if (offset < 0 || size < 0 || offset > std::numeric_limits<std::int32_t>::max() ||
      static_cast<std::uint64_t>(offset + size) > length_) {
    throw CorruptBlock();
  }
  return data_ + offset;
}

std::uint16_t PerfBlockReader::u16(std::int64_t offset) const {
  const std::uint8_t* p = at(offset, 2);
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t PerfBlockReader::u32(std::int64_t offset) const {
  const std::uint8_t* p = at(offset, 4);
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

std::int64_t PerfBlockReader::i64(std::int64_t offset) const {
  const std::uint64_t low = u32(offset);
  const std::uint64_t high = u32(offset + 4);
  return static_cast<std::int64_t>(low | (high << 32));
}

std::string PerfBlockReader::utf16(std::int64_t offset, std::int64_t bytes) const {
  at(offset, bytes < 0 ? -1 : bytes);
  std::string text;
  for (std::int64_t i = 0; i + 1 < bytes; i += 2) {
    const std::uint16_t c = u16(offset + i);
    text += c < 0x80 ? static_cast<char>(c) : '?';
  }
  return text;
}

std::uint32_t PerfBlockReader::length(std::int64_t offset, std::uint32_t least) const {
  const std::uint32_t value = u32(offset);
  if (value < least) throw CorruptBlock();
  return value;
}

bool PerfBlockReader::hasSignature() const {
  static constexpr char kPerf[] = "PERF";
  for (int i = 0; i < 4; ++i) {
    if (length_ < 8 || u16(i * 2) != static_cast<std::uint16_t>(kPerf[i])) return false;
  }
  return true;
}

std::optional<std::int64_t> PerfBlockReader::findObject(std::uint32_t titleIndex) const {
  std::int64_t offset = u32(perf::kBlockHeaderLength);
  const std::uint32_t objects = u32(perf::kBlockNumObjectTypes);
  for (std::uint32_t i = 0; i < objects; ++i) {
    if (u32(offset + perf::kObjectNameTitleIndex) == titleIndex) return offset;
    offset += length(offset + perf::kObjectTotalByteLength, perf::kObjectSize);
  }
  return std::nullopt;
}

std::optional<std::int64_t> fileTimeOf(const SystemTime& t) {
  constexpr int kDaysInMonth[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (t.year < 1601 || t.year > 30827 || t.month < 1 || t.month > 12 || t.day < 1 || t.hour > 23 ||
      t.hour < 0 || t.minute < 0 || t.minute > 59 || t.second < 0 || t.second > 59 ||
      t.milliseconds < 0 || t.milliseconds > 999) {
    return std::nullopt;
  }
  const bool leap = (t.year % 4 == 0 && t.year % 100 != 0) || t.year % 400 == 0;
  const int monthDays = kDaysInMonth[t.month - 1] + (t.month == 2 && leap ? 1 : 0);
  if (t.day > monthDays) return std::nullopt;
  // Days from 1 January 1601 to the date (the civil-calendar count, shifted
  // to begin in March so that leap days fall at the end of a year).
  const int y = t.year - (t.month <= 2 ? 1 : 0);
  const int era = y / 400;
  const int yearOfEra = y - era * 400;
  const int monthFromMarch = (t.month + 9) % 12;
  const int dayOfYear = (153 * monthFromMarch + 2) / 5 + t.day - 1;
  const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  const std::int64_t daysSince0000 = std::int64_t{era} * 146097 + dayOfEra;
  constexpr std::int64_t kDaysTo1601 = 584694;  // from 1 March 0000 to 1 January 1601
  const std::int64_t days = daysSince0000 - kDaysTo1601;
  const std::int64_t seconds = days * 86400 + t.hour * 3600 + t.minute * 60 + t.second;
  return (seconds * 1000 + t.milliseconds) * 10000;
}

namespace {

void put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint16_t value) {
  out[at] = static_cast<std::uint8_t>(value);
  out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}
void put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
  for (int i = 0; i < 4; ++i)
    out[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(value >> (8 * i));
}
void put64(std::vector<std::uint8_t>& out, std::size_t at, std::int64_t value) {
  put32(out, at, static_cast<std::uint32_t>(value));
  put32(out, at + 4, static_cast<std::uint32_t>(static_cast<std::uint64_t>(value) >> 32));
}

}  // namespace

std::vector<std::uint8_t> buildProcessorBlock(const SystemTime& now,
                                              const std::vector<std::int64_t>& idleTimes) {
  using namespace perf;
  constexpr std::uint32_t kNameBytes = 16;  // up to 7 characters and the terminator
  constexpr std::uint32_t kInstanceBytes = kInstanceSize + kNameBytes;
  constexpr std::uint32_t kCounterBlockBytes = 16;  // its length, padding, the 64-bit value
  const std::uint32_t instances = static_cast<std::uint32_t>(idleTimes.size()) + 1;
  const std::uint32_t definitionLength = kObjectSize + kCounterSize;
  const std::uint32_t objectLength =
      definitionLength + instances * (kInstanceBytes + kCounterBlockBytes);
  std::vector<std::uint8_t> block(kBlockSize + objectLength);

  for (int i = 0; i < 4; ++i)
    put16(block, static_cast<std::size_t>(i) * 2, static_cast<std::uint16_t>("PERF"[i]));
  put32(block, 8, 1);  // little-endian
  put32(block, 20, static_cast<std::uint32_t>(block.size()));
  put32(block, kBlockHeaderLength, kBlockSize);
  put32(block, kBlockNumObjectTypes, 1);
  const int fields[] = {now.year, now.month,  now.dayOfWeek, now.day,
                        now.hour, now.minute, now.second,    now.milliseconds};
  for (std::size_t i = 0; i < 8; ++i)
    put16(block, kBlockSystemTime + i * 2, static_cast<std::uint16_t>(fields[i]));

  const std::size_t object = kBlockSize;
  put32(block, object + kObjectTotalByteLength, objectLength);
  put32(block, object + kObjectDefinitionLength, definitionLength);
  put32(block, object + kObjectHeaderLength, kObjectSize);
  put32(block, object + kObjectNameTitleIndex, kProcessorObject);
  put32(block, object + kObjectNumCounters, 1);
  put32(block, object + kObjectNumInstances, instances);

  const std::size_t counter = object + kObjectSize;
  put32(block, counter + kCounterByteLength, kCounterSize);
  put32(block, counter + kCounterNameTitleIndex, kProcessorTimeCounter);
  put32(block, counter + 32, 8);  // CounterSize
  put32(block, counter + kCounterOffset, 8);

  std::size_t instance = object + definitionLength;
  std::int64_t total = 0;
  for (std::uint32_t i = 0; i < instances; ++i) {
    const bool isTotal = i + 1 == instances;
    const std::string name = isTotal ? "_Total" : std::to_string(i);
    const std::int64_t idle =
        isTotal ? total / static_cast<std::int64_t>(idleTimes.size() ? idleTimes.size() : 1)
                : idleTimes[i];
    if (!isTotal) total += idle;
    put32(block, instance + kInstanceByteLength, kInstanceBytes);
    put32(block, instance + kInstanceNameOffset, kInstanceSize);
    put32(block, instance + kInstanceNameLength, static_cast<std::uint32_t>(name.size() + 1) * 2);
    for (std::size_t c = 0; c < name.size(); ++c)
      put16(block, instance + kInstanceSize + c * 2, static_cast<std::uint16_t>(name[c]));
    const std::size_t counters = instance + kInstanceBytes;
    put32(block, counters, kCounterBlockBytes);
    put64(block, counters + 8, idle);
    instance = counters + kCounterBlockBytes;
  }
  return block;
}

}  // namespace corvanta
