#pragma once
// Local date and time texts. The clock can be pinned for tests.
#include <ctime>
#include <optional>
#include <string>

namespace platform {

std::time_t Now();
// Pins Now() to a fixed instant (tests); std::nullopt returns to the real clock.
void SetClockOverride(std::optional<std::time_t> fixed);

// strftime of the local time with the "C" locale's names.
std::string FormatLocalTime(const char* format, std::time_t when);
inline std::string FormatLocalTime(const char* format) { return FormatLocalTime(format, Now()); }

// "YYYYMMDD" shown as "YYYY-MM-DD"; any other text comes back unchanged.
std::string FormatIsoDate(const std::string& text);

}  // namespace platform
