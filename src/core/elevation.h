// What changes the machine rather than the user (repairs under
// HKEY_LOCAL_MACHINE, installing a font, the defragmenter) needs
// administrator rights on Windows NT. Without them such an action is refused
// before it starts, so nothing is half-done, and the user is offered to start
// the program again with them.
#pragma once

#include <string>

namespace corvanta {

struct AppContext;

// True when the program has administrator rights. Otherwise asks, in one
// message naming `action`, whether to start Corvanta again as administrator;
// on yes it does so and ends this program. False either way then.
bool haveAdministratorRights(AppContext& app, const std::string& action);

}  // namespace corvanta
