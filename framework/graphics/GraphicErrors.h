// Exceptions of the graphics library.
#pragma once

#include <stdexcept>
#include <string>

// TEMPORARY until the core's Exception hierarchy lands.
class EInvalidGraphic : public std::runtime_error {
 public:
  explicit EInvalidGraphic(const std::string& message) : std::runtime_error(message) {}
};
