#pragma once
// Run-time errors carry the classic error number and description, because the
// error report box shows both and the log and tests compare them.
#include <stdexcept>
#include <string>

namespace mirrin {

namespace err {
enum Number : int {
  InvalidCall = 5,
  Overflow = 6,
  SubscriptOutOfRange = 9,
  DivisionByZero = 11,
  TypeMismatch = 13,
  BadFileName = 52,
  FileNotFound = 53,
  DiskFull = 61,
  InputPastEnd = 62,
  PermissionDenied = 70,
  PathFileAccess = 75,
  InvalidPropertyValue = 380,
  InvalidPropertyIndex = 381,
  ReadOnlyProperty = 383,
};
}  // namespace err

// The description the classic runtime gives an error number ("Overflow", ...).
std::string ErrorDescription(int number);

class RunError : public std::runtime_error {
 public:
  // detail says where or why (a file, record and field); it is not part of
  // the classic description.
  RunError(int number, std::string detail = {});
  RunError(int number, std::string description, std::string detail);

  int number() const { return number_; }
  const std::string& description() const { return description_; }
  const std::string& detail() const { return detail_; }
  // The routine and place the error is reported under ("ReadDatebookFile
  // C:\...\datebook.dat,17"); empty until a reader names it.
  const std::string& where() const { return where_; }
  RunError At(std::string where) const;

 private:
  int number_;
  std::string description_;
  std::string detail_;
  std::string where_;
};

}  // namespace mirrin
