#pragma once
// What the four record files share: a header followed by RecordCount records,
// read whole and checked, built whole in memory and then put over the data
// file in one step.
#include <string>
#include <vector>

#include "palmdata/binio.h"
#include "palmdata/errors.h"
#include "palmdata/fieldwalk.h"
#include "palmdata/fileio.h"
#include "palmdata/header.h"

namespace mirrin {

// Adds where an error happened ("ReadDatebookFile C:\...\datebook.dat,17") to it.
[[noreturn]] void RethrowAt(const RunError& e, const std::string& where);

// The fewest bytes one record of a layout takes on disk (every text empty,
// no repeat), whatever the header's field count says: a header may declare
// more fields than the layout reads.
struct SmallestRecord {
  size_t classic;
  size_t extended;
};

// Reads header and records in the walks of Layout (see fieldwalk.h).
// Errors carry routine + " " + path + "," + the index of the record being read.
template <class Layout, class Record>
void ReadRecordFile(const std::string& routine, const std::string& path, const Bytes& data,
                    DatFileHeader& header, std::vector<Record>& records, DataContext& ctx,
                    SmallestRecord smallest) {
  size_t index = 0;
  try {
    ByteReader in(data);
    header = ReadHeader(in, ctx);
    ctx.Log("Read Entries", 6);
    const auto count = static_cast<size_t>(CheckedCount(
        header.RecordCount, header.IsExtended ? smallest.extended : smallest.classic, in, "record count"));
    // The count was checked against the bytes left: reserving it takes no
    // more than reading that many of the smallest records would, and spares
    // the copies and fresh pages of a vector grown record by record.
    std::vector<Record> loaded;
    loaded.reserve(count);
    for (; index < count; ++index) ReadEntry<Layout>(in, header, loaded.emplace_back(), ctx.timeZone);
    header.TrailingBytes = in.ReadBlock(in.Remaining());
    records = std::move(loaded);
  } catch (const RunError& e) {
    RethrowAt(e, routine + " " + path + "," + std::to_string(index));
  }
}

// Builds the file: header, then every record in the walks of Layout.
template <class Layout, class Record>
Bytes BuildRecordFile(const DatFileHeader& header, const std::vector<Record>& records,
                      const DataContext& ctx) {
  CheckRecordCount(header, records.size());
  ByteWriter out;
  WriteHeader(out, header);
  for (size_t r = 0; r < records.size(); ++r) WriteEntry<Layout>(out, header, records[r], r, ctx.timeZone);
  out.WriteBlock(header.TrailingBytes);
  return out.Take();
}

// What we write we must be able to read: the built bytes are parsed again
// and must give the same number of records, or the save of this file fails
// (error 6) before anything is replaced.
template <class Record, class Parse>
void CheckReadsBack(const Bytes& built, size_t recordCount, const std::string& path, const DataContext& ctx,
                    Parse parse) {
  DataContext quiet = ctx;
  quiet.notify = nullptr;
  quiet.log = nullptr;
  DatFileHeader header;
  std::vector<Record> records;
  try {
    parse(built, path, header, records, quiet);
  } catch (const RunError& e) {
    throw RunError(err::Overflow, "the file built for " + path + " does not read back: " + e.what());
  }
  if (records.size() != recordCount) {
    throw RunError(err::Overflow, "the file built for " + path + " reads back as " +
                                      std::to_string(records.size()) + " records, not " +
                                      std::to_string(recordCount));
  }
}

}  // namespace mirrin
