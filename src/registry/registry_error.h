// The one error the registry layer raises: a failure the caller may catch,
// carrying the Win32 status that caused it.
#pragma once

#include <stdexcept>
#include <string>

namespace corvanta {

class RegistryError : public std::runtime_error {
 public:
  RegistryError(long status, const std::string& message)
      : std::runtime_error(message), status_(status) {}
  long status() const { return status_; }

 private:
  long status_;
};

}  // namespace corvanta
