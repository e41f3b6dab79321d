// The error log: a file in the working directory named after the current
// time in milliseconds, e.g. "1765260000123.log".
#pragma once

#include <string>

// Writes the message unchanged into a new log file; returns its name, or an
// empty string when the file could not be written.
std::string WriteDebugLog(const std::string& message);
