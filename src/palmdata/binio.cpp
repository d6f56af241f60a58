#include "palmdata/binio.h"

#include "palmdata/errors.h"

namespace mirrin {

void ByteReader::PastEnd(size_t n) const {
  throw RunError(err::InputPastEnd, "offset " + std::to_string(pos_) + ": " + std::to_string(n) +
                                        " bytes needed, " + std::to_string(Remaining()) + " left");
}

Bytes ByteReader::ReadBlock(size_t n) {
  Need(n);
  Bytes b(data_.substr(pos_, n));
  pos_ += n;
  return b;
}

Bytes ByteReader::ReadCString() {
  const size_t start = pos_;
  size_t n = ReadByte();
  if (n == 0xFF) n = ReadShort();
  if (n > kMaxCStringRead) {
    throw RunError(err::Overflow,
                   "offset " + std::to_string(start) + ": string of " + std::to_string(n) + " bytes");
  }
  return ReadBlock(n);
}

Bytes ByteReader::ReadCStringField() {
  ReadLong();
  ReadLong();  // padding
  return ReadCString();
}

PalmDate ByteReader::ReadDateField(const TimeZoneInfo& tz) {
  ReadLong();
  const uint32_t stored = static_cast<uint32_t>(ReadLong());
  // Dates after 2038 (top byte 80 to FE) are real: To Do files use them for
  // far-off due dates, so they are read as the unsigned times they are.
  if ((stored >> 24) == 0xFF) return PalmDate::FromStored(stored, SecondsToDate(0, tz));
  return PalmDate::FromStored(stored, SecondsToDate(stored, tz));
}

void ByteWriter::WriteShort(uint32_t v) {
  WriteByte(static_cast<uint8_t>(v & 0xFF));
  WriteByte(static_cast<uint8_t>((v >> 8) & 0xFF));
}

void ByteWriter::WriteLong(int32_t v) {
  const uint32_t u = static_cast<uint32_t>(v);
  WriteShort(u & 0xFFFF);
  WriteShort(u >> 16);
}

void ByteWriter::WriteCString(std::string_view bytes) {
  const size_t n = bytes.size();
  if (n > kMaxCStringWrite) {
    throw RunError(err::Overflow, "string of " + std::to_string(n) + " bytes is too long to write");
  }
  if (n < 255) {
    WriteByte(static_cast<uint8_t>(n));
  } else {
    WriteByte(0xFF);
    WriteShort(static_cast<uint32_t>(n));
  }
  WriteBlock(bytes);
}

void ByteWriter::WriteIntField(int32_t v) {
  WriteLong(kTagInteger);
  WriteLong(v);
}

void ByteWriter::WriteBoolField(bool v) {
  WriteLong(kTagBoolean);
  WriteLong(v ? 1 : 0);
}

void ByteWriter::WriteCStringField(std::string_view bytes) {
  // Check before the tag, so a refused string leaves no partial field.
  if (bytes.size() > kMaxCStringWrite) WriteCString(bytes);
  WriteLong(kTagCString);
  WriteLong(0);
  WriteCString(bytes);
}

void ByteWriter::WriteDateField(const PalmDate& date, const TimeZoneInfo& tz) {
  const uint32_t palmTime = PalmTimeOf(date, tz);
  WriteLong(kTagDate);
  WriteULong(palmTime);
}

}  // namespace mirrin
