#include "core/restore_points.h"

#include <cstdint>

#include "core/app_context.h"
#include "core/i18n/localizer.h"
#include "core/policies.h"
#include "platform/restore_point_port.h"
#include "registry/settings_store.h"

namespace corvanta {
namespace {

constexpr std::uint32_t kErrorServiceDisabled = 1058;

// Where the newest restore point's number the program was given is kept.
constexpr const char* kSection = "restorepoint";
constexpr const char* kKey = "newest";

std::int64_t numberIn(const std::string& text) {
  std::int64_t value = 0;
  for (const char c : text) {
    if (c < '0' || c > '9' || value > (INT64_MAX - 9) / 10) return 0;
    value = value * 10 + (c - '0');
  }
  return value;
}

}  // namespace

std::string describe(const RestorePointOutcome& outcome) {
  using Result = RestorePointOutcome::Result;
  switch (outcome.result) {
    case Result::Made:
      return "restore point made (number " + std::to_string(outcome.sequence) + ")";
    case Result::Throttled:
      return "no new restore point: Windows makes one a day, and keeps restore point " +
             std::to_string(outcome.sequence) + " from the last 24 hours";
    case Result::ProtectionOff:
      return "no restore point: System Protection is off";
    case Result::Unavailable:
      return "no restore point: System Restore is not available on this system";
    case Result::Failed:
      return "no restore point: System Restore failed (error " + std::to_string(outcome.code) +
             ")";
  }
  return {};
}

std::string describeFor(Localizer& localizer, const RestorePointOutcome& outcome) {
  using Result = RestorePointOutcome::Result;
  const std::string number = std::to_string(outcome.sequence);
  switch (outcome.result) {
    case Result::Made:
      return localizer.text("8142", "Restore point %1 made.", {number});
    case Result::Throttled:
      return localizer.text(
          "8143", "No new restore point: Windows makes one a day and keeps restore point %1.",
          {number});
    case Result::ProtectionOff:
      return localizer.text("8144", "No restore point: System Protection is off.");
    case Result::Unavailable:
      return localizer.text("8145", "No restore point: System Restore is not available here.");
    case Result::Failed:
      return localizer.text("8146", "No restore point: System Restore failed (error %1).",
                            {std::to_string(outcome.code)});
  }
  return {};
}

void RestorePoints::arm(const std::string& action) {
  disarm();
  action_ = action;
  asked_ = false;
  outcome_.reset();
}

void RestorePoints::disarm() {
  if (begun_ != 0) port_.end(begun_);
  begun_ = 0;
  action_.clear();
}

std::optional<std::string> RestorePoints::beforeFirstChange() {
  if (action_.empty() || asked_) return std::nullopt;
  asked_ = true;
  using Result = RestorePointOutcome::Result;
  RestorePointOutcome outcome;
  const auto reply = port_.begin("Corvanta: " + action_);
  if (!reply || (reply->succeeded && reply->sequence <= 0) ||
      (!reply->succeeded && reply->status == 0)) {
    // No System Restore, or one that answers without a restore point or a
    // reason (a stand-in, as Wine's).
    outcome.result = Result::Unavailable;
  } else if (!reply->succeeded) {
    outcome.result =
        reply->status == kErrorServiceDisabled ? Result::ProtectionOff : Result::Failed;
    outcome.code = reply->status;
  } else {
    // Within a day of its last restore point Windows makes none, and
    // answers with that one's number: a number the program was given
    // before is one it did not make now.
    const std::int64_t newest =
        numberIn(settings_.GetSetting(kSettingsApplication, kSection, kKey));
    outcome.sequence = reply->sequence;
    outcome.result = reply->sequence <= newest ? Result::Throttled : Result::Made;
    if (outcome.result == Result::Made) {
      begun_ = reply->sequence;
      try {
        settings_.SaveSetting(kSettingsApplication, kSection, kKey,
                              std::to_string(reply->sequence));
      } catch (...) {
        // Not kept: the next throttled answer is then taken for a new one.
      }
    }
  }
  outcome_ = outcome;
  return describe(outcome);
}

RestorePointScope::RestorePointScope(AppContext& app, const std::string& action, bool wanted) {
  if (!wanted && !readPolicies(app.registry).requireRestorePoint) return;
  points_ = &app.restorePoints;
  points_->arm(action);
}

std::optional<RestorePointOutcome> RestorePointScope::outcome() const {
  return points_ ? points_->outcome() : std::nullopt;
}

RestorePointScope::~RestorePointScope() {
  if (points_) points_->disarm();
}

}  // namespace corvanta
