#pragma once
// Whether work on a file of a given size will keep the user waiting long
// enough (about half a second) for the wait window: judged by the pace of the
// last run of the same work, and before the first run by a careful guess.
#include <cstdint>

class LongWaitGuess {
 public:
  static constexpr double kLongWaitSeconds = 0.5;

  explicit LongWaitGuess(double guessedBytesPerSecond) : bytesPerSecond_(guessedBytesPerSecond) {}

  bool IsLong(std::uintmax_t bytes) const {
    return static_cast<double>(bytes) >= bytesPerSecond_ * kLongWaitSeconds;
  }
  // The pace of a finished run; runs too short to tell teach nothing.
  void Took(std::uintmax_t bytes, double seconds) {
    if (seconds >= 0.05 && bytes > 0) bytesPerSecond_ = static_cast<double>(bytes) / seconds;
  }

 private:
  double bytesPerSecond_;
};
