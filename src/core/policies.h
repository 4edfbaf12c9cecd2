// What an organisation has set for the program through Group Policy (the
// templates in installer/policies): values under SOFTWARE\Policies\Corvanta,
// the machine's (HKEY_LOCAL_MACHINE) before the user's (HKEY_CURRENT_USER),
// value by value. Read where each is needed rather than once at start, so
// that a policy applied while the program runs holds from the next window
// or the next click on.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace corvanta {

class RegistryPort;

inline constexpr const char* kPoliciesKey = "SOFTWARE\\Policies\\Corvanta";

// The values read, each a REG_DWORD (1: set) but DisabledPages, a text.
inline constexpr const char* kPolicyDisableRepairs = "DisableRepairs";
inline constexpr const char* kPolicyForceReview = "ForceReview";
inline constexpr const char* kPolicyDisableUndo = "DisableUndo";
inline constexpr const char* kPolicyRequireRestorePoint = "RequireRestorePoint";
inline constexpr const char* kPolicyDisabledPages = "DisabledPages";
inline constexpr const char* kPolicyValues[] = {kPolicyDisableRepairs, kPolicyForceReview,
                                                kPolicyDisableUndo, kPolicyRequireRestorePoint,
                                                kPolicyDisabledPages};

// The pages DisabledPages may name, as the main window's buttons show them.
inline constexpr const char* kPageIds[] = {"visual",  "drives", "input",   "explorer",
                                           "sysinfo", "health", "monitor", "language"};

struct Policies {
  bool disableRepairs = false;       // the checks only report; nothing is repaired
  bool forceReview = false;          // the review list always comes before a repair
  bool disableUndo = false;          // nothing is undone, in the window or the command line
  bool requireRestorePoint = false;  // a restore point is always asked for first
  std::vector<std::string> disabledPages;  // ids from kPageIds, as given

  bool pageDisabled(std::string_view id) const;
};

Policies readPolicies(RegistryPort& registry);

// The words a refusal by policy shows (the window's tooltip, the command
// line's message).
inline constexpr const char* kSetByOrganisation = "Set by your organisation";

}  // namespace corvanta
