#pragma once
// Reading a file whole, and replacing one whole so that a failure leaves it as it was.
#include <string>

namespace wholefile {
// False when the file cannot be read.
bool Read(const std::string& path, std::string& bytes);
// Replaces path with bytes through a new file beside it, renamed over path once
// written and synced; the reason of a failure (UTF-8) goes to error.
bool Replace(const std::string& path, const std::string& bytes, std::string& error);
} // namespace wholefile
