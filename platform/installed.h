#pragma once
// The one implementation of a seam that the program entry (or a test
// fixture) installs: the OS services, the BMP reader.

// Says which seam was used before installation, then aborts.
[[noreturn]] void reportMissingInstallation(const char* what);

template <class Implementation>
class Installed {
 public:
  explicit constexpr Installed(const char* what) : what_(what) {}

  // A missing installation is a programming error in the entry or a test;
  // it is reported instead of crashing somewhere inside a game step.
  Implementation& get() const {
    if (current_ == nullptr) reportMissingInstallation(what_);
    return *current_;
  }
  // Installs `next` and returns the previous one (so tests can restore it).
  Implementation* install(Implementation* next) {
    Implementation* previous = current_;
    current_ = next;
    return previous;
  }

 private:
  const char* what_;
  Implementation* current_ = nullptr;
};
