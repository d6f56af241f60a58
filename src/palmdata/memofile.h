#pragma once
// The Memo file: one text per record, in the classic and the extended layout.
#include <cstdint>
#include <string>
#include <vector>

#include "palmdata/binio.h"
#include "palmdata/datacontext.h"
#include "palmdata/describe.h"
#include "palmdata/header.h"

namespace mirrin {

struct MemoRecord : CommonFields {
  Bytes Text;
};

void ParseMemoFile(const Bytes& data, const std::string& path, DatFileHeader& header,
                   std::vector<MemoRecord>& records, DataContext& ctx);
Bytes BuildMemoFile(const DatFileHeader& header, const std::vector<MemoRecord>& records,
                    const DataContext& ctx);
// The header a user gets when the file does not exist yet.
void SetDefaultMemoHeader(DatFileHeader& header, const std::string& path, bool extended = false);
// A missing file is not an error: the kind is empty, with the default header.
void ReadMemoFile(int user, const std::string& path, DatFileHeader& header, std::vector<MemoRecord>& records,
                  DataContext& ctx);
void WriteMemoFile(int user, const std::string& path, const DatFileHeader& header,
                   const std::vector<MemoRecord>& records, DataContext& ctx);

void Describe(const MemoRecord& record, FieldVisitor& v);

}  // namespace mirrin
