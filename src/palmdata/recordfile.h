#pragma once
// What the four record files share: a header followed by RecordCount records,
// read whole and checked, built whole in memory and then put over the data
// file in one step.
#include <string>
#include <vector>

#include "palmdata/binio.h"
#include "palmdata/errors.h"
#include "palmdata/fileio.h"
#include "palmdata/header.h"

namespace mirrin {

// Adds where an error happened ("ReadDatebookFile C:\...\datebook.dat,17") to it.
[[noreturn]] void RethrowAt(const RunError& e, const std::string& where);

// Reads header and records; readOne(reader, header, record) reads one record.
// Errors carry routine + " " + path + "," + the index of the record being read.
template <class Record, class ReadOne>
void ReadRecordFile(const std::string& routine, const std::string& path, const Bytes& data,
                    DatFileHeader& header, std::vector<Record>& records, DataContext& ctx,
                    ReadOne readOne) {
  size_t index = 0;
  try {
    ByteReader in(data);
    header = ReadHeader(in, ctx);
    ctx.Log("Read Entries", 6);
    std::vector<Record> loaded(static_cast<size_t>(header.RecordCount));
    for (; index < loaded.size(); ++index) readOne(in, header, loaded[index]);
    header.TrailingBytes = in.ReadBlock(in.Remaining());
    records = std::move(loaded);
  } catch (const RunError& e) {
    RethrowAt(e, routine + " " + path + "," + std::to_string(index));
  }
}

// Builds the file: header, then every record, renumbering extended rows.
template <class Record, class WriteOne>
Bytes BuildRecordFile(const DatFileHeader& header, std::vector<Record>& records, WriteOne writeOne) {
  CheckRecordCount(header, records.size());
  ByteWriter out;
  WriteHeader(out, header);
  for (size_t r = 0; r < records.size(); ++r) {
    if (header.IsExtended) RenumberExtended(records[r], static_cast<int32_t>(r), header.FieldCount);
    writeOne(out, header, records[r]);
  }
  out.WriteBlock(header.TrailingBytes);
  return out.Take();
}

}  // namespace mirrin
