// The error classes of the system. Every error carries the system's own message
// (UTF-8) and is caught at the command boundary, where the message is shown.
#pragma once

#include <stdexcept>
#include <string>

namespace kestrilo {

class EKestriloError : public std::runtime_error {
 public:
  explicit EKestriloError(const std::string& message) : std::runtime_error(message) {}
};

#define KESTRILO_ERROR_CLASS(Name)                                              \
  class Name : public EKestriloError {                                          \
   public:                                                                      \
    explicit Name(const std::string& message) : EKestriloError(message) {}     \
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
inline std::string CannotOpenMessage(const std::string& path) { return "Cannot open file " + path; }
inline std::string CannotCreateMessage(const std::string& path) { return "Cannot create file " + path; }
inline const char* const kStreamReadError = "Stream read error";
inline const char* const kInvalidStreamFormat = "Invalid stream format";
inline const char* const kBitmapNotValid = "Bitmap image is not valid";
inline const char* const kIconNotValid = "Icon image is not valid";
inline const char* const kDibInvalid = "DIB is invalid";

}  // namespace kestrilo
