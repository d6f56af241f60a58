#pragma once
// The header every application data file starts with: version tag, the
// category table and the schema; and the fields every record starts with.
// Whatever the program does not interpret is kept and written back as read.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "palmdata/binio.h"
#include "palmdata/datacontext.h"
#include "palmdata/held.h"

namespace mirrin {

struct CategoryEntry {
  int32_t Index = 0;
  int32_t Id = 0;
  int32_t DirtyFlag = 0;
  std::string LongName;
  std::string ShortName;

  static CategoryEntry Unfiled();
};

struct DatFileHeader {
  Bytes ExtendedTag;  // 4 bytes, extended format only; empty in a file without the wrapper
  Bytes ExtendedName;
  Bytes ExtendedWord;   // 4 bytes
  Bytes VersionTag;     // 4 bytes: 00 01 then two letters
  Bytes ExtendedBlock;  // 24 bytes
  Bytes FileName;
  Bytes TableString;
  Bytes AddressBlock;  // 10 bytes, extended address file only
  std::array<std::string, 9> LabelText;
  std::array<int32_t, 9> LabelValue{};
  Bytes ExtendedTail;  // 42 bytes
  int32_t NextFreeId = 0;
  int32_t CategoryCount = 0;
  std::vector<CategoryEntry> Categories{CategoryEntry::Unfiled()};  // [0] is Unfiled
  int32_t ResourceId = 0;
  int32_t FieldsPerRow = 0;
  int32_t RecordIdPosition = 0;
  int32_t StatusPosition = 0;
  int32_t PlacementPosition = 0;
  int32_t FieldCount = 0;
  std::vector<int32_t> FieldTypes{0};  // [1..FieldCount]; [0] unused
  int32_t RecordCount = 0;
  bool IsExtended = false;
  // Whatever follows the last record; not interpreted, written back after the records.
  Bytes TrailingBytes;

  bool IsAddressFile() const { return VersionTag.size() == 4 && VersionTag[3] == 'A'; }
};

// The extended format's four counted texts (k = 0 for the first) and the two
// strings after them, which are carried but never shown.
struct ExtTexts {
  std::array<std::string, 4> Text;
  Bytes Blob;  // stands for the fourth text when its length is 1
  Bytes String1;
  Bytes String2;
};

// Nearly always empty: the texts are held apart, and only once one is set.
bool IsEmpty(const ExtTexts& texts);

// Fields that every record kind starts with. ExtLength[k] is the length of
// the k-th counted text.
struct CommonFields {
  int32_t RecordId = 0;
  int32_t ExtRowId = 0;
  int32_t Status = 0;
  int32_t ExtFieldBase = 0;
  int32_t Position = 0;
  int32_t Category = 0;
  bool Private = false;
  // The tags of the four counted texts as read; new records get the usual ones.
  std::array<int32_t, 4> ExtTag{64, 65, 66, 65};
  std::array<int32_t, 4> ExtLength{};

  Held<ExtTexts> Ext;
};

// A count read from a file is believed only if that many items of at least
// minItemBytes each could still follow; error 62 otherwise.
int32_t CheckedCount(int32_t count, size_t minItemBytes, const ByteReader& in, const char* what);

// A header with no categories and no records: the version tag 00 01 (00 02
// wrapped, if extended) + the two kind letters, the five schema longs and one
// type tag per field (fieldTypes without the unused position 0). A kind whose
// file does not exist starts from the classic one and is written with it.
DatFileHeader NewHeader(std::string_view kindLetters, int32_t resourceId, bool extended,
                        const std::vector<int32_t>& fieldTypes, const std::string& path);

// Reads up to and including the number of entries. An unknown version tag
// is read as extended and sets ctx.unsupportedVersion (shown once).
DatFileHeader ReadHeader(ByteReader& in, DataContext& ctx);
void WriteHeader(ByteWriter& out, const DatFileHeader& header);

CategoryEntry ReadCategoryEntry(ByteReader& in);
void WriteCategoryEntry(ByteWriter& out, const CategoryEntry& entry);

void ReadExtPrefix(ByteReader& in, CommonFields& fields);
// Extended files number their rows by place on writing: row r is 4096 + r,
// its fields start at r * FieldCount.
struct ExtRowNumbers {
  int32_t rowId;
  int32_t fieldBase;
};
inline ExtRowNumbers ExtendedRowNumbers(size_t row, int32_t fieldCount) {
  const auto r = static_cast<int32_t>(row);
  return {4096 + r, r * fieldCount};
}
// Writes `numbers` in place of the record's own row numbers.
void WriteExtPrefix(ByteWriter& out, const CommonFields& fields, ExtRowNumbers numbers);

// The tags the target file's schema gives the four counted texts (fields 8
// to 11 of an extended record); the usual 64, 65, 66, 65 where it gives none.
std::array<int32_t, 4> CountedTextTags(const DatFileHeader& header);

// Gives records the row numbers a write of them in this order used.
template <class Record>
void RenumberExtended(const DatFileHeader& header, std::vector<Record>& records) {
  if (!header.IsExtended) return;
  for (size_t r = 0; r < records.size(); ++r) {
    const ExtRowNumbers n = ExtendedRowNumbers(r, header.FieldCount);
    records[r].ExtRowId = n.rowId;
    records[r].ExtFieldBase = n.fieldBase;
  }
}

// Raises error 6 unless the header's RecordCount equals the records to write,
// so no file is written whose header disagrees with its body.
void CheckRecordCount(const DatFileHeader& header, size_t records);

}  // namespace mirrin
