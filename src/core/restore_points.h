// A restore point asked of Windows before the program changes the machine:
// an action that may change much (a repair, a settings import, undoing
// everything) arms it with a RestorePointScope, and the changes journal
// asks for it when the first change is about to be recorded, so that the
// restore point comes before the first write, its outcome is known by then,
// and an action that changes nothing asks for none. It is asked for once a
// scope; its outcome goes into the first group's record.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace corvanta {

class RestorePointPort;
class SettingsStore;
struct AppContext;

struct RestorePointOutcome {
  enum class Result {
    Made,         // a new restore point
    Throttled,    // Windows kept one it made within the last day instead
    ProtectionOff,
    Unavailable,  // no System Restore on this system
    Failed,
  };
  Result result = Result::Unavailable;
  std::uint32_t code = 0;     // Failed: the status System Restore gave
  std::int64_t sequence = 0;  // Made, Throttled: the restore point's number
};

// The outcome in English, one line, as the journal and the reports keep it.
std::string describe(const RestorePointOutcome& outcome);
// The same in the user's language, for the windows.
class Localizer;
std::string describeFor(Localizer& localizer, const RestorePointOutcome& outcome);

class RestorePoints {
 public:
  // The settings keep the newest restore point's number the program was
  // given, by which one Windows kept is told from one it made.
  RestorePoints(RestorePointPort& port, SettingsStore& settings)
      : port_(port), settings_(settings) {}
  ~RestorePoints() { disarm(); }
  RestorePoints(const RestorePoints&) = delete;
  RestorePoints& operator=(const RestorePoints&) = delete;

  // The changes that follow are `action` ("before System Health repairs").
  void arm(const std::string& action);
  // Ends the system change a restore point was made for, if one was.
  void disarm();
  // What the journal calls before a group's first change: asks for the
  // restore point the first time in an armed span and gives its outcome
  // as the group's note; nothing when unarmed or already asked.
  std::optional<std::string> beforeFirstChange();
  // The outcome of the armed (or last) span; nothing when none was asked.
  const std::optional<RestorePointOutcome>& outcome() const { return outcome_; }

 private:
  RestorePointPort& port_;
  SettingsStore& settings_;
  std::string action_;  // empty while unarmed
  bool asked_ = false;
  std::optional<RestorePointOutcome> outcome_;
  std::int64_t begun_ = 0;  // the restore point whose change is still open
};

// Arms the restore point for its own lifetime, when `wanted`.
class RestorePointScope {
 public:
  RestorePointScope(AppContext& app, const std::string& action, bool wanted);
  ~RestorePointScope();
  // What the restore point came to; nothing when none was asked for (not
  // wanted, or nothing was changed).
  std::optional<RestorePointOutcome> outcome() const;
  RestorePointScope(const RestorePointScope&) = delete;
  RestorePointScope& operator=(const RestorePointScope&) = delete;

 private:
  RestorePoints* points_ = nullptr;
};

}  // namespace corvanta
