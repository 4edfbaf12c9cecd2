// The system's performance-data block as bytes: a reader that checks every
// field it reads against the buffer, and a writer that builds the block of
// one Processor object (for systems whose own block has none, and for
// tests). The layout is the published one (PERF_DATA_BLOCK, PERF_OBJECT_TYPE,
// PERF_COUNTER_DEFINITION, PERF_INSTANCE_DEFINITION, PERF_COUNTER_BLOCK),
// the same for 32- and 64-bit programs, little-endian.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace corvanta {

inline constexpr std::uint32_t kProcessorObject = 238;
inline constexpr std::uint32_t kProcessorTimeCounter = 6;

// Offsets of the fields the program reads or writes.
namespace perf {
inline constexpr std::uint32_t kBlockHeaderLength = 24;
inline constexpr std::uint32_t kBlockNumObjectTypes = 28;
inline constexpr std::uint32_t kBlockSystemTime = 36;
inline constexpr std::uint32_t kBlockSize = 88;
inline constexpr std::uint32_t kObjectTotalByteLength = 0;
inline constexpr std::uint32_t kObjectDefinitionLength = 4;
inline constexpr std::uint32_t kObjectHeaderLength = 8;
inline constexpr std::uint32_t kObjectNameTitleIndex = 12;
inline constexpr std::uint32_t kObjectNumCounters = 32;
inline constexpr std::uint32_t kObjectNumInstances = 40;
inline constexpr std::uint32_t kObjectSize = 64;
inline constexpr std::uint32_t kCounterByteLength = 0;
inline constexpr std::uint32_t kCounterNameTitleIndex = 4;
inline constexpr std::uint32_t kCounterOffset = 36;
inline constexpr std::uint32_t kCounterSize = 40;
inline constexpr std::uint32_t kInstanceByteLength = 0;
inline constexpr std::uint32_t kInstanceNameOffset = 16;
inline constexpr std::uint32_t kInstanceNameLength = 20;
inline constexpr std::uint32_t kInstanceSize = 24;
}  // namespace perf

// A read outside the buffer, or an offset that overflows: the block is
// truncated or corrupt.
class CorruptBlock : public std::runtime_error {
 public:
  CorruptBlock() : std::runtime_error("corrupt performance data") {}
};

// Fields of a block, every read checked against its length.
class PerfBlockReader {
 public:
  PerfBlockReader(const std::uint8_t* data, std::size_t length) : data_(data), length_(length) {}

  std::uint16_t u16(std::int64_t offset) const;
  std::uint32_t u32(std::int64_t offset) const;
  std::int64_t i64(std::int64_t offset) const;
  // `bytes` of UTF-16 text at `offset`, as ANSI (non-ASCII becomes '?').
  std::string utf16(std::int64_t offset, std::int64_t bytes) const;
  bool hasSignature() const;
  // A record's length as the block gives it; shorter than the record itself
  // (zero included, which would never move a walk on) is corrupt.
  std::uint32_t length(std::int64_t offset, std::uint32_t least) const;
  // Offset of the object with that title index, or nothing.
  std::optional<std::int64_t> findObject(std::uint32_t titleIndex) const;

 private:
  const std::uint8_t* at(std::int64_t offset, std::int64_t size) const;

  const std::uint8_t* data_;
  std::size_t length_;
};

struct SystemTime {
  int year = 0, month = 0, dayOfWeek = 0, day = 0, hour = 0, minute = 0, second = 0,
      milliseconds = 0;
};

// SystemTimeToFileTime: 100-nanosecond units since 1 January 1601; nothing
// for a date the system would refuse.
std::optional<std::int64_t> fileTimeOf(const SystemTime& time);

// The block of one Processor object with its processor-time counter: an
// instance per processor, named by its index, with its idle time, and a
// "_Total" instance.
std::vector<std::uint8_t> buildProcessorBlock(const SystemTime& now,
                                              const std::vector<std::int64_t>& idleTimes);

}  // namespace corvanta
