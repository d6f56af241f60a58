#pragma once
// Field-by-field description of a record, so tools can list every field of
// any kind without knowing its struct.
#include <cstdint>
#include <string>

#include "palmdata/header.h"
#include "palmdata/palmtime.h"

namespace mirrin {

struct FieldVisitor {
  virtual ~FieldVisitor() = default;
  virtual void Int(const char* name, int64_t v) = 0;
  virtual void Bool(const char* name, bool v) = 0;
  virtual void Text(const char* name, const std::string& bytes) = 0;  // code-page bytes
  virtual void Date(const char* name, const PalmDate& d) = 0;
  // A nested group (repeat rule, phone i, address i). A group may hold
  // several items of one name, which then form a list (the exceptions).
  virtual void Begin(const char* name) = 0;
  virtual void End() = 0;
};

// The fields every kind starts with, extended ones included.
void DescribeCommon(const CommonFields& f, FieldVisitor& v);

}  // namespace mirrin
