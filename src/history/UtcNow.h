#pragma once

#include <string>

// Now as ISO 8601 in UTC, to the second: 2026-12-09T01:32:00Z, as a kept round's time is written.
std::string utcNow();
