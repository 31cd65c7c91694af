// The framework's invalid-argument error: raised for an array index out of range.
#pragma once

#include <exception>

class CInvalidArgException : public std::exception {
 public:
  const char* what() const noexcept override { return "invalid argument"; }
};
