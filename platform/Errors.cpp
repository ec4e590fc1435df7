#include "platform/Errors.h"

#include <cstring>
#include <exception>

#include "platform/Cp1251.h"

namespace kestrilo {

std::string ShownFileName(std::string_view path) { return cp1251::EscapeControls(path); }

std::string FileMessage(std::string_view text, std::string_view path, std::string_view reason) {
  std::string message(text);
  const bool endsSentence =
      !message.empty() && (message.back() == '!' || message.back() == '?' || message.back() == '.');
  message += endsSentence ? " " : ": ";
  message += ShownFileName(path);
  if (!reason.empty()) message.append(": ").append(reason);
  return message;
}

void RaiseNamingFile(const EKestriloError& error, const std::string& path, std::string_view reason) {
  const std::string message = error.what();
  const std::string shown = ShownFileName(path);
  const bool named = !shown.empty() && message.find(shown) != std::string::npos;
  error.RaiseWithMessage(named ? message : FileMessage(message, path, reason));
  std::terminate();  // not reached: every override throws, which the compiler cannot see through the call
}

std::string SystemReason(int error) { return std::strerror(error); }

std::string TruncatedReason(uint64_t size, uint64_t expected) {
  return "truncated: " + std::to_string(size) + " of " + std::to_string(expected) + " bytes";
}

std::string CannotOpenMessage(const std::string& path) { return "Cannot open file " + ShownFileName(path); }

std::string CannotOpenBecause(const std::string& path, int error) {
  return CannotOpenMessage(path) + ": " + SystemReason(error);
}

std::string CannotCreateMessage(const std::string& path) { return "Cannot create file " + ShownFileName(path); }

std::string CannotCreateBecause(const std::string& path, int error) {
  return CannotCreateMessage(path) + ": " + SystemReason(error);
}

}  // namespace kestrilo
