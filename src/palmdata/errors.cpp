#include "palmdata/errors.h"

namespace mirrin {

std::string ErrorDescription(int number) {
  switch (number) {
    case err::Overflow:
      return "Overflow";
    case err::SubscriptOutOfRange:
      return "Subscript out of range";
    case err::DivisionByZero:
      return "Division by zero";
    case err::TypeMismatch:
      return "Type mismatch";
    case err::BadFileName:
      return "Bad file name or number";
    case err::FileNotFound:
      return "File not found";
    case err::DiskFull:
      return "Disk full";
    case err::InputPastEnd:
      return "Input past end of file";
    case err::PermissionDenied:
      return "Permission denied";
    case err::PathFileAccess:
      return "Path/File access error";
    default:
      return "Application-defined or object-defined error";
  }
}

static std::string Compose(const std::string& description, const std::string& detail) {
  return detail.empty() ? description : description + " (" + detail + ")";
}

RunError::RunError(int number, std::string detail)
    : RunError(number, ErrorDescription(number), std::move(detail)) {}

RunError::RunError(int number, std::string description, std::string detail)
    : std::runtime_error(Compose(description, detail)),
      number_(number),
      description_(std::move(description)),
      detail_(std::move(detail)) {}

RunError RunError::At(std::string where) const {
  RunError e(number_, description_, where + (detail_.empty() ? "" : ": " + detail_));
  e.detail_ = detail_;
  e.where_ = std::move(where);
  return e;
}

}  // namespace mirrin
