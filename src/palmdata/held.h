#pragma once
// Record fields held apart from the record.
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace mirrin {

inline bool IsEmpty(const std::string& text) { return text.empty(); }
template <typename T>
bool IsEmpty(const std::vector<T>& items) {
  return items.empty();
}

// A field most records leave empty, held apart and only when it is not
// empty (IsEmpty): a record without it is that much smaller, which counts
// when a user's tens of thousands of records are read. Copied deeply, so a
// record is still a value.
template <typename T>
class Held {
 public:
  Held() = default;
  Held(const Held& o) : value_(Copy(o)) {}
  Held& operator=(const Held& o) {
    if (this != &o) value_ = Copy(o);
    return *this;
  }
  Held(Held&&) noexcept = default;
  Held& operator=(Held&&) noexcept = default;
  ~Held() = default;

  Held& operator=(T value) {
    Set(std::move(value));
    return *this;
  }
  // It reads as the value it holds.
  operator const T&() const { return Get(); }  // NOLINT(google-explicit-constructor)

  const T& Get() const {
    static const T kNone{};
    return value_ ? *value_ : kNone;
  }
  const T* operator->() const { return &Get(); }
  T& Mutable() {
    if (!value_) value_ = std::make_unique<T>();
    return *value_;
  }
  void Set(T&& value) {
    if (IsEmpty(value))
      value_.reset();
    else
      Mutable() = std::move(value);
  }

 private:
  static std::unique_ptr<T> Copy(const Held& o) {
    return o.value_ ? std::make_unique<T>(*o.value_) : nullptr;
  }
  std::unique_ptr<T> value_;
};

// A carried text as a held field that reads and assigns like a string.
class HeldText : public Held<std::string> {
 public:
  using Held::operator=;
  operator std::string_view() const { return Get(); }  // NOLINT(google-explicit-constructor)
  bool empty() const { return Get().empty(); }
  size_t size() const { return Get().size(); }
  friend bool operator==(const HeldText& a, const HeldText& b) { return a.Get() == b.Get(); }
};

}  // namespace mirrin
