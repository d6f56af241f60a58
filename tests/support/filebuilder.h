#pragma once
// Assembles binary files field by field, so each test states the bytes it means.
#include <cstdint>
#include <string>
#include <string_view>

namespace mirrin::test {

class FileBuilder {
 public:
  FileBuilder& Byte(uint8_t v);
  FileBuilder& Short(uint16_t v);
  FileBuilder& Long(int32_t v);
  FileBuilder& ULong(uint32_t v) { return Long(static_cast<int32_t>(v)); }
  FileBuilder& Raw(std::string_view bytes);
  FileBuilder& Hex(std::string_view hex);    // "BE BA FE CA"
  FileBuilder& CString(std::string_view s);  // length prefix + bytes
  FileBuilder& IntField(int32_t v) { return Long(1).Long(v); }
  FileBuilder& DateField(uint32_t palmTime) { return Long(3).ULong(palmTime); }
  FileBuilder& BoolField(bool v) { return Long(6).Long(v ? 1 : 0); }
  FileBuilder& CStringField(std::string_view s) { return Long(5).Long(0).CString(s); }

  const std::string& Data() const { return data_; }
  size_t Size() const { return data_.size(); }
  void WriteTo(const std::string& path) const;

 private:
  std::string data_;
};

std::string HexBytes(std::string_view hex);

// A fresh folder below the system's temporary folder, removed at the end.
class TempDir {
 public:
  TempDir();
  ~TempDir();
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::string& Path() const { return path_; }
  std::string File(std::string_view name) const { return path_ + "/" + std::string(name); }

 private:
  std::string path_;
};

std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, std::string_view bytes);

}  // namespace mirrin::test
