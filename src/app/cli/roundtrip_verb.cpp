// mirrin-cli roundtrip FILE [--kind KIND]: reads FILE, builds it again in
// memory and compares; FILE itself is never written.
#include <algorithm>
#include <cstdio>

#include "app/cli/cli.h"
#include "app/cli/datafile.h"

namespace mirrin::cli {

namespace {

constexpr const char* kUsage = "usage: mirrin-cli roundtrip FILE [--kind dates|contacts|todos|memos]\n";

std::string ByteAt(const Bytes& bytes, size_t offset) {
  if (offset >= bytes.size()) return "end of data";
  char buf[8];
  std::snprintf(buf, sizeof buf, "%02X", static_cast<unsigned char>(bytes[offset]));
  return buf;
}

}  // namespace

int RunRoundtrip(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  FileArgs parsed;
  if (!ParseFileArgs(args, false, kUsage, parsed, err)) return 2;
  Bytes original;
  Bytes written;
  try {
    DataContext ctx;
    DataFile file = LoadDataFile(parsed, original, ctx);
    written = file.Build(ctx);
  } catch (const RunError& e) {
    return ReportFailure(parsed.path, e, err);
  }
  if (written == original) {
    out << "identical\n";
    return 0;
  }
  const auto mismatch = std::mismatch(original.begin(), original.end(), written.begin(), written.end());
  const size_t offset = static_cast<size_t>(mismatch.first - original.begin());
  out << "differs at offset " << offset << ": file " << ByteAt(original, offset) << ", written "
      << ByteAt(written, offset) << " (file " << original.size() << " bytes, written "
      << written.size() << " bytes)\n";
  return 1;
}

}  // namespace mirrin::cli
