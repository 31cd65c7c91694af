// Overwrites a secret before its memory is released, so that a password does not outlive the
// object that held it. Volatile writes keep the compiler from dropping the stores.
#pragma once

#include <cstddef>
#include <string>

inline void SecureWipe(void* data, std::size_t size) {
  volatile char* p = static_cast<volatile char*>(data);
  for (std::size_t i = 0; i < size; ++i) p[i] = 0;
}

// Wipes the whole buffer (capacity, not only the current length), then empties the string.
inline void SecureWipe(std::string& secret) {
  if (secret.capacity() > 0) {
    secret.resize(secret.capacity());
    SecureWipe(&secret[0], secret.size());
  }
  secret.clear();
}
