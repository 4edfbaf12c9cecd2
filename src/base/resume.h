// Error resumption, one statement at a time. Handlers that must go on past a
// failing step wrap each step on its own:
//
//   resumeNext([&] { box.setValue(shell.RegRead(path).toInt16()); });
//
// A step that throws is abandoned and the handler continues with the next.
// Never wrap a whole handler in one of these: that would skip the rest of it.
#pragma once

#include <utility>

namespace corvanta {

template <class Statement>
bool resumeNext(Statement&& statement) noexcept {
  try {
    std::forward<Statement>(statement)();
    return true;
  } catch (...) {
    return false;
  }
}

}  // namespace corvanta
