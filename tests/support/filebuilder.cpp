#include "support/filebuilder.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#ifdef _WIN32
#include <process.h>
#endif

namespace mirrin::test {

FileBuilder& FileBuilder::Byte(uint8_t v) {
  data_.push_back(static_cast<char>(v));
  return *this;
}

FileBuilder& FileBuilder::Short(uint16_t v) { return Byte(v & 0xFF).Byte(v >> 8); }

FileBuilder& FileBuilder::Long(int32_t v) {
  const auto u = static_cast<uint32_t>(v);
  return Short(u & 0xFFFF).Short(u >> 16);
}

FileBuilder& FileBuilder::Raw(std::string_view bytes) {
  data_.append(bytes);
  return *this;
}

FileBuilder& FileBuilder::Hex(std::string_view hex) { return Raw(HexBytes(hex)); }

FileBuilder& FileBuilder::CString(std::string_view s) {
  if (s.empty()) return Byte(0);
  s.size() < 255 ? Byte(static_cast<uint8_t>(s.size())) : Byte(0xFF).Short(static_cast<uint16_t>(s.size()));
  return Raw(s);
}

void FileBuilder::WriteTo(const std::string& path) const { WriteFileBytes(path, data_); }

std::string HexBytes(std::string_view hex) {
  std::string digits;
  for (char c : hex) {
    if (std::isxdigit(static_cast<unsigned char>(c))) digits += c;
  }
  if (digits.size() % 2 != 0) throw std::invalid_argument("odd number of hex digits");
  std::string out;
  for (size_t i = 0; i < digits.size(); i += 2) {
    out.push_back(static_cast<char>(std::stoi(digits.substr(i, 2), nullptr, 16)));
  }
  return out;
}

TempDir::TempDir() {
#ifdef _WIN32
  static int made = 0;  // no mkdtemp: the process id and a count make the name unique
  path_ = (std::filesystem::temp_directory_path() /
           ("mirrin-test-" + std::to_string(_getpid()) + "-" + std::to_string(made++)))
              .string();
  std::filesystem::create_directories(path_);
#else
  std::string pattern = (std::filesystem::temp_directory_path() / "mirrin-test-XXXXXX").string();
  if (!mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
#endif
}

TempDir::~TempDir() {
  std::error_code ec;
  std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add,
                               ec);
  std::filesystem::remove_all(path_, ec);
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

void WriteFileBytes(const std::string& path, std::string_view bytes) {
  std::filesystem::create_directories(std::filesystem::path(path).parent_path());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out) throw std::runtime_error("cannot write " + path);
}

}  // namespace mirrin::test
