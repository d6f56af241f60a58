#pragma once
// The value encodings of the data files, read from and written to memory.
// Files are read whole and written whole, so a reader can check every
// length and count against the bytes that are really left.
#include <cstdint>
#include <string>
#include <string_view>

#include "palmdata/palmtime.h"

namespace mirrin {

// Record texts and category names are kept as the file's exact bytes.
using Bytes = std::string;

constexpr uint32_t kTagInteger = 1;
constexpr uint32_t kTagDate = 3;
constexpr uint32_t kTagCString = 5;
constexpr uint32_t kTagBoolean = 6;
constexpr uint32_t kTagRepeat = 8;

// Longest CString length the readers accept. Writers accept the same, so
// whatever was read can be saved again (32768 is written FF 00 80).
constexpr size_t kMaxCStringRead = 32768;
constexpr size_t kMaxCStringWrite = kMaxCStringRead;

class ByteReader {
 public:
  explicit ByteReader(std::string_view data) : data_(data) {}
  // The reader does not own its bytes; a temporary would dangle.
  explicit ByteReader(std::string&&) = delete;

  size_t Position() const { return pos_; }
  size_t Remaining() const { return data_.size() - pos_; }
  bool AtEnd() const { return pos_ >= data_.size(); }
  // Error 62 unless n more bytes are there; use it before trusting a count.
  void Need(size_t n) const {
    if (n > Remaining()) PastEnd(n);
  }
  // The bytes not yet read, for scans that look ahead.
  std::string_view Rest() const { return data_.substr(pos_); }

  // Every record is thousands of these calls: the whole value is taken at
  // once when the bytes are there; otherwise byte by byte, so an error names
  // the first byte missing.
  uint8_t ReadByte() {
    Need(1);
    return static_cast<uint8_t>(data_[pos_++]);
  }
  uint16_t ReadShort() {
    if (Remaining() < 2) {
      const uint16_t lo = ReadByte();
      return static_cast<uint16_t>(lo | (ReadByte() << 8));
    }
    const uint16_t v = static_cast<uint16_t>(Byte(0) | (Byte(1) << 8));
    pos_ += 2;
    return v;
  }
  int32_t ReadLong() {
    if (Remaining() < 4) {
      const uint32_t lo = ReadShort();
      return static_cast<int32_t>(lo | static_cast<uint32_t>(ReadShort()) << 16);
    }
    const uint32_t v = Byte(0) | Byte(1) << 8 | Byte(2) << 16 | Byte(3) << 24;
    pos_ += 4;
    return static_cast<int32_t>(v);
  }
  Bytes ReadTag4() { return ReadBlock(4); }
  Bytes ReadBlock(size_t n);
  Bytes ReadChars(size_t n) { return ReadBlock(n); }
  Bytes ReadCString();
  Bytes ReadCStringText() { return ReadCString(); }

  // Typed fields: the tag is read and ignored, the layout says what it is.
  int32_t ReadIntField() {
    ReadLong();
    return ReadLong();
  }
  bool ReadBoolField() {
    ReadLong();
    return ReadLong() == 1;
  }
  Bytes ReadCStringField();
  // Palm times are unsigned (to 2106); a top byte FF reads as the start of 1970.
  PalmDate ReadDateField(const TimeZoneInfo& tz);

 private:
  // The byte k places on, known to be there.
  uint32_t Byte(size_t k) const { return static_cast<unsigned char>(data_[pos_ + k]); }
  [[noreturn]] void PastEnd(size_t n) const;

  std::string_view data_;
  size_t pos_ = 0;
};

class ByteWriter {
 public:
  const Bytes& Data() const { return out_; }
  Bytes Take() { return std::move(out_); }
  size_t Size() const { return out_.size(); }

  void WriteByte(uint8_t v) { out_.push_back(static_cast<char>(v)); }
  void WriteShort(uint32_t v);  // the low 16 bits
  void WriteLong(int32_t v);
  void WriteULong(uint32_t v) { WriteLong(static_cast<int32_t>(v)); }
  void WriteBlock(std::string_view bytes) { out_.append(bytes); }
  void WriteTag4(std::string_view tag) { WriteBlock(tag); }
  void WriteChars(std::string_view text) { WriteBlock(text); }
  // Error 6, with nothing written, for more than 32768 bytes.
  void WriteCString(std::string_view bytes);
  void WriteCStringText(std::string_view text) { WriteCString(text); }

  void WriteIntField(int32_t v);
  void WriteBoolField(bool v);
  void WriteCStringField(std::string_view bytes);
  void WriteDateField(const PalmDate& date, const TimeZoneInfo& tz);

 private:
  Bytes out_;
};

}  // namespace mirrin
