#include "palmdata/memofile.h"

#include "palmdata/fileio.h"
#include "palmdata/recordfile.h"

namespace mirrin {

namespace {
// Every text empty and no repeat (see SmallestRecord).
constexpr SmallestRecord kMemoSmallest{49, 115};

struct MemoLayout {
  static constexpr bool kReportsProgress = false;
  template <class Io, class R>
  static void Classic(Io& io, R& r) {
    io.Int("RecordId", r.RecordId);
    io.Int("Status", r.Status);
    io.Int("Position", r.Position);
    io.Text("Text", r.Text);
    io.Bool("Private", r.Private);
    io.Int("Category", r.Category);
  }
  template <class Io, class R>
  static void Extended(Io& io, R& r) {
    io.Text("Text", r.Text);
  }
};
}  // namespace

void ParseMemoFile(const Bytes& data, const std::string& path, DatFileHeader& header,
                   std::vector<MemoRecord>& records, DataContext& ctx) {
  ReadRecordFile<MemoLayout>("ReadMemoFile", path, data, header, records, ctx, kMemoSmallest);
}

Bytes BuildMemoFile(const DatFileHeader& header, const std::vector<MemoRecord>& records,
                    const DataContext& ctx) {
  return BuildRecordFile<MemoLayout>(header, records, ctx);
}

void SetDefaultMemoHeader(DatFileHeader& header, const std::string& path, bool extended) {
  header = NewLayoutHeader<MemoLayout, MemoRecord>("MP", 54, extended, path);
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
                   const std::vector<MemoRecord>& records, DataContext& ctx) {
  ctx.Log("Write Memos for " + std::to_string(user) + " to " + path, 4);
  const Bytes bytes = BuildMemoFile(header, records, ctx);
  CheckReadsBack<MemoRecord>(bytes, records.size(), path, ctx, ParseMemoFile);
  WriteFileAtomic(path, bytes);
}

void Describe(const MemoRecord& r, FieldVisitor& v) { DescribeEntry<MemoLayout>(r, v); }

}  // namespace mirrin
