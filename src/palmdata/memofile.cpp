#include "palmdata/memofile.h"

#include "palmdata/fileio.h"
#include "palmdata/recordfile.h"

namespace mirrin {

namespace {
// Every text empty and no repeat (see SmallestRecord).
constexpr SmallestRecord kMemoSmallest{49, 115};
}  // namespace

void ReadMemoEntry(ByteReader& in, MemoRecord& r) {
  r.RecordId = in.ReadIntField();
  r.Status = in.ReadIntField();
  r.Position = in.ReadIntField();
  r.Text = in.ReadCStringField();
  r.Private = in.ReadBoolField();
  r.Category = in.ReadIntField();
}

void WriteMemoEntry(ByteWriter& out, const MemoRecord& r) {
  out.WriteIntField(r.RecordId);
  out.WriteIntField(r.Status);
  out.WriteIntField(r.Position);
  out.WriteCStringField(r.Text);
  out.WriteBoolField(r.Private);
  out.WriteIntField(r.Category);
}

void ReadMemoEntryExt(ByteReader& in, MemoRecord& r) {
  ReadExtPrefix(in, r);
  r.Text = in.ReadCStringField();
}

void WriteMemoEntryExt(ByteWriter& out, const MemoRecord& r) {
  WriteExtPrefix(out, r);
  out.WriteCStringField(r.Text);
}

void ParseMemoFile(const Bytes& data, const std::string& path, DatFileHeader& header,
                   std::vector<MemoRecord>& records, DataContext& ctx) {
  ReadRecordFile("ReadMemoFile", path, data, header, records, ctx, kMemoSmallest,
                 [](ByteReader& in, const DatFileHeader& h, MemoRecord& r) {
                   if (h.IsExtended) {
                     ReadMemoEntryExt(in, r);
                   } else {
                     ReadMemoEntry(in, r);
                   }
                 });
}

Bytes BuildMemoFile(const DatFileHeader& header, std::vector<MemoRecord>& records,
                    const DataContext& /*ctx*/) {
  return BuildRecordFile(header, records, [](ByteWriter& out, const DatFileHeader& h, const MemoRecord& r) {
    if (h.IsExtended) {
      WriteMemoEntryExt(out, r);
    } else {
      WriteMemoEntry(out, r);
    }
  });
}

void SetDefaultMemoHeader(DatFileHeader& header, const std::string& path) {
  header = ClassicHeader("MP", 54, {1, 1, 1, 5, 6, 1}, path);
}

void ReadMemoFile(int /*user*/, const std::string& path, DatFileHeader& header,
                  std::vector<MemoRecord>& records, DataContext& ctx) {
  if (FileMissing(path)) {
    SetDefaultMemoHeader(header, path);
    records.clear();
    return;
  }
  ParseMemoFile(ReadWholeFile(path), path, header, records, ctx);
}

void WriteMemoFile(int user, const std::string& path, const DatFileHeader& header,
                   std::vector<MemoRecord>& records, DataContext& ctx) {
  ctx.Log("Write Memos for " + std::to_string(user) + " to " + path, 4);
  const Bytes bytes = BuildMemoFile(header, records, ctx);
  CheckReadsBack<MemoRecord>(bytes, records.size(), path, ctx, ParseMemoFile);
  WriteFileAtomic(path, bytes);
}

void Describe(const MemoRecord& r, FieldVisitor& v) {
  DescribeCommon(r, v);
  v.Text("Text", r.Text);
}

}  // namespace mirrin
