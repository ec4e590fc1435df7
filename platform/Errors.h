// The error classes of the system. Every error carries the system's own message
// (UTF-8) and is caught at the command boundary, where the message is shown.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace kestrilo {

class EKestriloError : public std::runtime_error {
 public:
  explicit EKestriloError(const std::string& message) : std::runtime_error(message) {}
  // Raises an error of this one's own class with `message`, so that a reader
  // can add the file and what was wrong with it to an error from deep inside.
  [[noreturn]] virtual void RaiseWithMessage(const std::string& message) const { throw EKestriloError(message); }
};

#define KESTRILO_ERROR_CLASS(Name)                                                                         \
  class Name : public EKestriloError {                                                                     \
   public:                                                                                                 \
    explicit Name(const std::string& message) : EKestriloError(message) {}                                 \
    [[noreturn]] void RaiseWithMessage(const std::string& message) const override { throw Name(message); } \
  };

// "List index out of bounds (%d)"
KESTRILO_ERROR_CLASS(EListError)
// "Cannot open file %s"
KESTRILO_ERROR_CLASS(EFOpenError)
// "Cannot create file %s"
KESTRILO_ERROR_CLASS(EFCreateError)
// "Stream read error", "Stream write error"
KESTRILO_ERROR_CLASS(EReadError)
KESTRILO_ERROR_CLASS(EWriteError)
// "Invalid stream format", "Error reading %s%s%s: %s"
KESTRILO_ERROR_CLASS(EFilerError)
// "Bitmap image is not valid", "Icon image is not valid", "DIB is invalid",
// "Unknown picture file extension (.%s)"
KESTRILO_ERROR_CLASS(EInvalidGraphic)
// "Image '%s' not found", "%s cannot be initialized"
KESTRILO_ERROR_CLASS(EPictureCollectionError)
// "Index of the list exceeds the range. (%d)"
KESTRILO_ERROR_CLASS(ESpriteError)
// "'%s' is not a valid integer value" and the like
KESTRILO_ERROR_CLASS(EConvertError)
// "Floating point division by zero", "Invalid floating point operation",
// "Floating point overflow"
KESTRILO_ERROR_CLASS(EZeroDivide)
KESTRILO_ERROR_CLASS(EInvalidOp)
KESTRILO_ERROR_CLASS(EOverflow)
// Failures of the drawing area
KESTRILO_ERROR_CLASS(EDXDrawError)

#undef KESTRILO_ERROR_CLASS

// The standard messages, so that every raiser words them alike.
inline std::string ListIndexMessage(long long index) {
  return "List index out of bounds (" + std::to_string(index) + ")";
}

// Messages about a file all have one shape: the system's text, the file, and
// what was wrong when that is known:
//   "Cannot open file <file>: Permission denied"
//   "Stream read error: <file>: truncated: 1000 of 360000 bytes"
//   "Нет файла с таким именем! <file>"
// The file is named by ShownFileName.
//
// A path as a message shows it: a name with control characters or bytes that
// are no UTF-8 is escaped (cp1251::EscapeControls); Cyrillic stays as it is.
std::string ShownFileName(std::string_view path);
// `text` with the file and, unless empty, the reason after it. A text that
// ends a sentence ("!", "?", ".") is followed by a space, any other by ": ".
std::string FileMessage(std::string_view text, std::string_view path, std::string_view reason = {});
// The system's words for an error number (errno): "Permission denied".
std::string SystemReason(int error);
// "truncated: 1000 of 360000 bytes".
std::string TruncatedReason(uint64_t size, uint64_t expected);
// Raises `error` again, of its own class, with the file and the reason added
// as FileMessage adds them, unless its message names the file already.
[[noreturn]] void RaiseNamingFile(const EKestriloError& error, const std::string& path, std::string_view reason = {});
// "Cannot open file %s", and the same with the system's reason after it.
std::string CannotOpenMessage(const std::string& path);
std::string CannotOpenBecause(const std::string& path, int error);
// "Cannot create file %s", and the same with the system's reason after it.
std::string CannotCreateMessage(const std::string& path);
std::string CannotCreateBecause(const std::string& path, int error);
inline const char* const kStreamReadError = "Stream read error";
inline const char* const kInvalidStreamFormat = "Invalid stream format";
inline const char* const kBitmapNotValid = "Bitmap image is not valid";
inline const char* const kIconNotValid = "Icon image is not valid";
inline const char* const kDibInvalid = "DIB is invalid";

}  // namespace kestrilo
