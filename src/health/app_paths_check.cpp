// Application paths: a registered application path whose program is missing
// is deleted. The default value may hold the program followed by its
// arguments; only the program's own path is tested.
#include <algorithm>

#include "base/resume.h"
#include "core/app_context.h"
#include "health/health_checks.h"
#include "health/registry_scope.h"
#include "registry/query_value.h"
#include "registry/value_data.h"

namespace corvanta {
namespace {

constexpr const char* kAppPaths = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths";

using Entry = ScopedEntry;

std::string lowerCase(std::string text) {
  for (char& c : text) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + ('a' - 'A'));
  }
  return text;
}

// Lower case, quotes as spaces, outer spaces gone.
std::string normalised(const std::string& text) {
  return trimSpaces(QuotesToSpaces(lowerCase(text)));
}

// The entry's default value as its own programs read it: a REG_EXPAND_SZ is
// expanded for the scope's view, not the running program's (in a shared key
// once for each view).
std::optional<std::vector<std::string>> defaultCommands(HealthRun& run, const RegistryScope& scope,
                                                        const std::string& entry) {
  RegKey opened = 0;
  if (run.app.registry.openKeyEx(scope.key.get(), entry, kKeyRead | scope.viewFlag, opened) !=
      kErrorSuccess)
    return std::nullopt;
  const ScopedRegKey key(run.app.registry, opened);
  std::uint32_t type = 0;
  Bytes data;
  if (queryValue(run.app.registry, key.get(), "", type, data) != kErrorSuccess) return std::nullopt;
  std::string text(data.begin(), data.end());
  trimAtNull(text);
  if (type == kRegSz) return std::vector<std::string>{text};
  if (type == kRegExpandSz) return expandForView(text, scope.view, run.app.system);
  return std::nullopt;
}

}  // namespace

std::string programOfCommand(const std::string& command) {
  return normalised(programPart(command));
}

std::string programPart(const std::string& command) {
  const std::string text = trimSpaces(command);
  if (!text.empty() && text[0] == '"') {
    const std::size_t closing = text.find('"', 1);
    return text.substr(1, closing == std::string::npos ? std::string::npos : closing - 1);
  }
  const std::string lower = lowerCase(text);
  std::size_t end = std::string::npos;
  for (const char* extension : {".exe", ".com", ".bat", ".cmd"}) {
    for (std::size_t at = lower.find(extension); at != std::string::npos;
         at = lower.find(extension, at + 1)) {
      const std::size_t after = at + 4;
      if (after == lower.size() || lower[after] == ' ') {
        end = std::min(end, after);
        break;
      }
    }
  }
  return end == std::string::npos ? text : text.substr(0, end);
}

void AppPathsCheck(HealthRun& run) {
  CheckProgress& display = run.progress;
  // An entry found broken, with the command it holds.
  struct Found {
    Entry entry;
    std::string command;
  };
  std::vector<Found> aplst4;
  display.clearCounts();

  const auto scopes = machineScopes(run.app.registry, kAppPaths);
  run.forEachSubKey(scopes, [&](const RegistryScope& scope, const Entry& entry) {
    const auto commands = defaultCommands(run, scope, entry.name);
    if (!commands) return;  // none, or one that cannot be read: kept
    // Missing only when every reading of it is.
    const bool missing = std::all_of(commands->begin(), commands->end(), [&](const auto& command) {
      const std::string target = normalised(command);
      return target.find('.') != std::string::npos && target.find(":\\") != std::string::npos &&
             !run.isPresent(programOfCommand(command), scope);
    });
    if (missing) aplst4.push_back({entry, commands->front()});
  });

  display.setErrors(run.settle(aplst4, [&](const Found& found) {
    return keyFinding(scopes[found.entry.scope], found.entry.name,
                      trimSpaces(QuotesToSpaces(programPart(found.command))), "program missing");
  }));
  std::vector<Entry> keys;
  for (const Found& found : aplst4) keys.push_back(found.entry);
  run.repairKeyTrees(scopes, keys);
}

}  // namespace corvanta
