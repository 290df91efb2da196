#include "world/record_scanner.h"

#include <cctype>
#include <cstdint>
#include <limits>

void RecordScanner::skipBlanks() {
  while (*cursor_ != '\0' && std::isspace(static_cast<unsigned char>(*cursor_))) ++cursor_;
}

RecordScanner& RecordScanner::number(int32_t& value) {
  if (stopped_) return *this;
  skipBlanks();
  const char* p = cursor_;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = (*p++ == '-');
  if (!std::isdigit(static_cast<unsigned char>(*p))) {
    stopped_ = true;
    return *this;
  }
  // Accumulate as a negative number so that the int32 minimum fits as well.
  constexpr int64_t lowest = std::numeric_limits<int32_t>::min();
  int64_t magnitude = 0;
  for (; std::isdigit(static_cast<unsigned char>(*p)); ++p) {
    magnitude = magnitude * 10 + (*p - '0');
    if (magnitude > -lowest) magnitude = -lowest;
  }
  int64_t signedValue = negative ? -magnitude : magnitude;
  if (signedValue > std::numeric_limits<int32_t>::max()) signedValue = std::numeric_limits<int32_t>::max();
  value = static_cast<int32_t>(signedValue);
  cursor_ = p;
  return *this;
}

RecordScanner& RecordScanner::letter(char& value) {
  if (stopped_) return *this;
  skipBlanks();
  if (*cursor_ == '\0') {
    stopped_ = true;
    return *this;
  }
  value = *cursor_++;
  return *this;
}
