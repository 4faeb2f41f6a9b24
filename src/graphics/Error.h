#pragma once

#include <stdexcept>
#include <string>

namespace velmora {

// The one error type of the program. The message names the file or value and what is wrong; the
// window shows it unchanged in a message box, so it is written for the user.
class Error : public std::runtime_error {
 public:
  explicit Error(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace velmora
