// Arbitrary text read as the custom kind's file: what is written reads back
// to records that write the same text again.
#include <cstdlib>
#include <string>
#include <vector>

#include "palmdata/customfile.h"

namespace {

std::string Written(const std::vector<mirrin::CustomRecord>& records) {
  std::string out;
  for (const auto& r : records) mirrin::WriteCustomLine(out, r);
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  mirrin::DatFileHeader header;
  std::vector<mirrin::CustomRecord> records;
  mirrin::ParseCustomText(input, header, records);
  if (header.RecordCount != static_cast<int32_t>(records.size())) std::abort();
  const std::string once = Written(records);
  mirrin::DatFileHeader again;
  std::vector<mirrin::CustomRecord> reread;
  mirrin::ParseCustomText(once, again, reread);
  if (reread.size() != records.size() || Written(reread) != once) std::abort();
  return 0;
}
