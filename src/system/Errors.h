// The program's error kinds. Each carries a CP932 message that the
// application's default error handler shows as it stands.
#ifndef ZUBA_SYSTEM_ERRORS_H_
#define ZUBA_SYSTEM_ERRORS_H_

#include <stdexcept>
#include <string>

namespace zuba::system {

// The general error class: every error the program raises derives from it.
class Exception : public std::runtime_error {
 public:
  explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// The registry refused to deliver or store a value's data, or delivered
// data of an unexpected kind. The message names the value.
class ERegistryException : public Exception {
 public:
  using Exception::Exception;
};

}  // namespace zuba::system

#endif  // ZUBA_SYSTEM_ERRORS_H_
