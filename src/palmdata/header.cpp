#include "palmdata/header.h"

#include <algorithm>
#include <cmath>

#include "palmdata/errors.h"

namespace mirrin {

namespace {

const Bytes kExtendedMagic("\xBE\xBA\xFE\xCA", 4);
constexpr size_t kExtendedBlockSize = 24;
constexpr size_t kAddressBlockSize = 10;
constexpr size_t kExtendedTailSize = 42;
// Smallest possible category entry: three longs and two empty strings.
constexpr size_t kMinCategoryBytes = 14;

void WriteFixed(ByteWriter& out, const Bytes& block, size_t size, const char* name) {
  if (block.size() != size) {
    throw RunError(err::Overflow, std::string(name) + " must be " + std::to_string(size) + " bytes");
  }
  out.WriteBlock(block);
}

}  // namespace

int32_t CheckedCount(int32_t count, size_t minItemBytes, const ByteReader& in, const char* what) {
  if (count < 0 || static_cast<uint64_t>(count) * minItemBytes > in.Remaining()) {
    throw RunError(err::InputPastEnd, std::string(what) + " " + std::to_string(count) + " does not fit the " +
                                          std::to_string(in.Remaining()) + " bytes left");
  }
  return count;
}

namespace {

void ReadCountedText(ByteReader& in, int32_t& tag, int32_t& length, std::string& text) {
  tag = in.ReadLong();
  length = in.ReadLong();
  if (length < 0) throw RunError(err::Overflow, "negative text length " + std::to_string(length));
  if (length != 0) text = in.ReadChars(static_cast<size_t>(length));
}

void WriteCountedText(ByteWriter& out, int32_t tag, int32_t length, const std::string& text) {
  out.WriteLong(tag);
  out.WriteLong(length);
  if (length != 0) out.WriteChars(text);
}

void CheckCountedText(int32_t length, const std::string& text) {
  if (length != 0 && static_cast<size_t>(length) != text.size()) {
    throw RunError(err::Overflow, "counted text of " + std::to_string(text.size()) + " bytes declared as " +
                                      std::to_string(length));
  }
}

}  // namespace

DatFileHeader NewHeader(std::string_view kindLetters, int32_t resourceId, bool extended,
                        const std::vector<int32_t>& fieldTypes, const std::string& path) {
  DatFileHeader h;
  h.IsExtended = extended;
  h.VersionTag = Bytes(extended ? "\x00\x02" : "\x00\x01", 2) + std::string(kindLetters);
  if (extended) {
    // The wrapper's fixed blocks as Palm Desktop 4 files carry them; nothing
    // in them is interpreted, so plain values do.
    h.ExtendedTag = kExtendedMagic;
    h.ExtendedName = "PalmSG Database";
    h.ExtendedWord = "00RV";
    h.ExtendedBlock = Bytes(kExtendedBlockSize, '\0');
    h.ExtendedBlock[12] = '\x65';
    h.ExtendedBlock[13] = '\x11';
    h.ExtendedTail = Bytes(42, '\0');
    if (h.IsAddressFile()) {
      h.AddressBlock = Bytes(kAddressBlockSize, '\0');
      for (size_t i = 0; i < h.LabelText.size(); ++i) h.LabelText[i] = "Custom " + std::to_string(i + 1);
    }
  }
  h.FileName = path;
  h.NextFreeId = 128;
  h.ResourceId = resourceId;
  h.FieldCount = static_cast<int32_t>(fieldTypes.size());
  h.FieldsPerRow = h.FieldCount;
  h.RecordIdPosition = 0;
  h.StatusPosition = extended ? 2 : 1;
  h.PlacementPosition = extended ? 4 : 2;
  h.FieldTypes.assign(1, 0);
  h.FieldTypes.insert(h.FieldTypes.end(), fieldTypes.begin(), fieldTypes.end());
  return h;
}

CategoryEntry CategoryEntry::Unfiled() {
  CategoryEntry e;
  e.LongName = "Unfiled";
  e.ShortName = "Unfiled";
  return e;
}

DatFileHeader ReadHeader(ByteReader& in, DataContext& ctx) {
  ctx.Log("Read Header", 6);
  DatFileHeader h;
  const Bytes tag = in.ReadTag4();
  const bool classic = tag[0] == '\x00' && tag[1] == '\x01';
  // Version 2 files without the BE BA FE CA wrapper start at the version tag.
  const bool bareExtended = tag[0] == '\x00' && tag[1] == '\x02';
  if (tag != kExtendedMagic && !classic) {
    if (!ctx.unsupportedVersion && !ctx.developmentMode && ctx.notify) {
      ctx.notify(DataNotice::UnsupportedVersion, {});
    }
    if (!ctx.developmentMode) ctx.unsupportedVersion = true;
  }
  if (classic) {
    h.VersionTag = tag;
  } else {
    h.IsExtended = true;
    if (bareExtended) {
      h.VersionTag = tag;
    } else {
      h.ExtendedTag = tag;
      h.ExtendedName = in.ReadCString();
      h.ExtendedWord = in.ReadTag4();
      h.VersionTag = in.ReadTag4();
    }
    h.ExtendedBlock = in.ReadBlock(kExtendedBlockSize);
  }
  h.FileName = in.ReadCString();
  h.TableString = in.ReadCString();
  if (h.IsExtended) {
    if (h.IsAddressFile()) {
      h.AddressBlock = in.ReadBlock(kAddressBlockSize);
      for (size_t i = 0; i < h.LabelText.size(); ++i) {
        h.LabelText[i] = in.ReadCStringText();
        h.LabelValue[i] = in.ReadLong();
      }
    }
    h.ExtendedTail = in.ReadBlock(kExtendedTailSize);
  }
  h.NextFreeId = in.ReadLong();
  h.CategoryCount = CheckedCount(in.ReadLong(), kMinCategoryBytes, in, "category count");
  h.Categories.reserve(static_cast<size_t>(h.CategoryCount) + 1);
  for (int32_t i = 1; i <= h.CategoryCount; ++i) h.Categories.push_back(ReadCategoryEntry(in));
  h.ResourceId = in.ReadLong();
  h.FieldsPerRow = in.ReadLong();
  h.RecordIdPosition = in.ReadLong();
  h.StatusPosition = in.ReadLong();
  h.PlacementPosition = in.ReadLong();
  h.FieldCount = in.ReadShort();
  in.Need(static_cast<size_t>(h.FieldCount) * 2);
  h.FieldTypes.assign(static_cast<size_t>(h.FieldCount) + 1, 0);
  for (int32_t i = 1; i <= h.FieldCount; ++i) h.FieldTypes[static_cast<size_t>(i)] = in.ReadShort();
  const int32_t entries = in.ReadLong();
  if (h.FieldCount == 0) throw RunError(err::DivisionByZero, "the header declares no fields");
  // Halves round to even, as the classic rounding does.
  const double records = std::nearbyint(static_cast<double>(entries) / h.FieldCount);
  // The records' own reader checks the count against its layout's smallest record.
  h.RecordCount = static_cast<int32_t>(records);
  return h;
}

void WriteHeader(ByteWriter& out, const DatFileHeader& h) {
  if (h.IsExtended && !h.ExtendedTag.empty()) {
    WriteFixed(out, h.ExtendedTag, 4, "ExtendedTag");
    out.WriteCString(h.ExtendedName);
    WriteFixed(out, h.ExtendedWord, 4, "ExtendedWord");
  }
  WriteFixed(out, h.VersionTag, 4, "VersionTag");
  if (h.IsExtended) WriteFixed(out, h.ExtendedBlock, kExtendedBlockSize, "ExtendedBlock");
  out.WriteCString(h.FileName);
  out.WriteCString(h.TableString);
  if (h.IsExtended) {
    if (h.IsAddressFile()) {
      WriteFixed(out, h.AddressBlock, kAddressBlockSize, "AddressBlock");
      for (size_t i = 0; i < h.LabelText.size(); ++i) {
        out.WriteCStringText(h.LabelText[i]);
        out.WriteLong(h.LabelValue[i]);
      }
    }
    WriteFixed(out, h.ExtendedTail, kExtendedTailSize, "ExtendedTail");
  }
  // "Unfiled" at position 0 is in every table and is not written.
  const size_t entries = h.Categories.empty() ? 0 : h.Categories.size() - 1;
  if (entries != static_cast<size_t>(h.CategoryCount)) {
    throw RunError(err::Overflow, "category count " + std::to_string(h.CategoryCount) + " but " +
                                      std::to_string(entries) + " categories to write");
  }
  out.WriteLong(h.NextFreeId);
  out.WriteLong(h.CategoryCount);
  for (size_t i = 1; i < h.Categories.size(); ++i) WriteCategoryEntry(out, h.Categories[i]);
  out.WriteLong(h.ResourceId);
  out.WriteLong(h.FieldsPerRow);
  out.WriteLong(h.RecordIdPosition);
  out.WriteLong(h.StatusPosition);
  out.WriteLong(h.PlacementPosition);
  if (h.FieldTypes.size() != static_cast<size_t>(h.FieldCount) + 1) {
    throw RunError(err::SubscriptOutOfRange, "field types do not match the field count");
  }
  out.WriteShort(static_cast<uint32_t>(h.FieldCount));
  for (int32_t i = 1; i <= h.FieldCount; ++i)
    out.WriteShort(static_cast<uint32_t>(h.FieldTypes[static_cast<size_t>(i)]));
  out.WriteLong(h.RecordCount * h.FieldCount);
}

CategoryEntry ReadCategoryEntry(ByteReader& in) {
  CategoryEntry e;
  e.Index = in.ReadLong();
  e.Id = in.ReadLong();
  e.DirtyFlag = in.ReadLong();
  e.LongName = in.ReadCStringText();
  e.ShortName = in.ReadCStringText();
  return e;
}

void WriteCategoryEntry(ByteWriter& out, const CategoryEntry& e) {
  out.WriteLong(e.Index);
  out.WriteLong(e.Id);
  out.WriteLong(e.DirtyFlag);
  out.WriteCStringText(e.LongName);
  out.WriteCStringText(e.ShortName);
}

bool IsEmpty(const ExtTexts& texts) {
  const auto empty = [](const std::string& t) { return t.empty(); };
  return std::all_of(texts.Text.begin(), texts.Text.end(), empty) && texts.Blob.empty() &&
         texts.String1.empty() && texts.String2.empty();
}

void ReadExtPrefix(ByteReader& in, CommonFields& f) {
  f.RecordId = in.ReadIntField();
  f.ExtRowId = in.ReadIntField();
  f.Status = in.ReadIntField();
  f.ExtFieldBase = in.ReadIntField();
  f.Position = in.ReadIntField();
  f.Category = in.ReadIntField();
  f.Private = in.ReadBoolField();
  ExtTexts t;
  for (size_t k = 0; k < 3; ++k) ReadCountedText(in, f.ExtTag[k], f.ExtLength[k], t.Text[k]);
  f.ExtTag[3] = in.ReadLong();
  f.ExtLength[3] = in.ReadLong();
  if (f.ExtLength[3] != 1) {
    if (f.ExtLength[3] < 0) throw RunError(err::Overflow, "negative text length");
    if (f.ExtLength[3] != 0) t.Text[3] = in.ReadChars(static_cast<size_t>(f.ExtLength[3]));
    t.String1 = in.ReadCStringField();
    t.String2 = in.ReadCStringField();
    f.Ext.Set(std::move(t));
    return;
  }
  // A length of 1 stands for raw bytes that run up to an empty CString field
  // followed by the tag of the next one.
  static const Bytes kEnd("\x05\0\0\0\0\0\0\0\0\x05\0\0\0", 13);
  const size_t at = in.Rest().find(kEnd);
  if (at == std::string_view::npos) {
    throw RunError(err::InputPastEnd, "offset " + std::to_string(in.Position()) +
                                          ": the end of an unformatted block is missing");
  }
  t.Blob = in.ReadBlock(at);
  in.ReadBlock(kEnd.size());
  in.ReadLong();  // padding of the second CString field
  t.String2 = in.ReadCString();
  f.Ext.Set(std::move(t));
}

void WriteExtPrefix(ByteWriter& out, const CommonFields& f, ExtRowNumbers numbers) {
  const ExtTexts& t = f.Ext.Get();
  for (size_t k = 0; k < 4; ++k) {
    if (!(k == 3 && f.ExtLength[k] == 1)) CheckCountedText(f.ExtLength[k], t.Text[k]);
  }
  out.WriteIntField(f.RecordId);
  out.WriteIntField(numbers.rowId);
  out.WriteIntField(f.Status);
  out.WriteIntField(numbers.fieldBase);
  out.WriteIntField(f.Position);
  out.WriteIntField(f.Category);
  out.WriteBoolField(f.Private);
  // The tags go back as read: the files' own schemas do not all agree on them.
  for (size_t k = 0; k < 3; ++k) WriteCountedText(out, f.ExtTag[k], f.ExtLength[k], t.Text[k]);
  out.WriteLong(f.ExtTag[3]);
  out.WriteLong(f.ExtLength[3]);
  if (f.ExtLength[3] == 1) {
    out.WriteBlock(t.Blob);
  } else if (f.ExtLength[3] != 0) {
    out.WriteChars(t.Text[3]);
  }
  out.WriteCStringField(t.String1);
  out.WriteCStringField(t.String2);
}

std::array<int32_t, 4> CountedTextTags(const DatFileHeader& header) {
  std::array<int32_t, 4> tags = CommonFields{}.ExtTag;
  constexpr size_t kFirstText = 8;
  if (!header.IsExtended || header.FieldTypes.size() < kFirstText + tags.size()) return tags;
  for (size_t k = 0; k < tags.size(); ++k) tags[k] = header.FieldTypes[kFirstText + k];
  return tags;
}

void CheckRecordCount(const DatFileHeader& header, size_t records) {
  if (header.RecordCount < 0 || static_cast<size_t>(header.RecordCount) != records) {
    throw RunError(err::Overflow, "record count " + std::to_string(header.RecordCount) + " but " +
                                      std::to_string(records) + " records to write");
  }
}

}  // namespace mirrin
