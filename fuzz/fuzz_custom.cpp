// Arbitrary text read as the custom kind's file: written back unchanged it is
// the same text (where its quotes pair up); edited values (commas, quotes,
// line breaks) read back as edited, and so do all the others.
#include <cstdlib>
#include <string>
#include <vector>

#include "palmdata/customfile.h"
#include "palmdata/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string input(reinterpret_cast<const char*>(data), size);
  mirrin::DatFileHeader header;
  std::vector<mirrin::CustomRecord> records;
  try {
    mirrin::ParseCustomText(input, header, records);
  } catch (const mirrin::RunError&) {
    return 0;  // too many records
  }
  if (header.RecordCount != static_cast<int32_t>(records.size())) std::abort();
  // Lines whose quotes pair up come back byte for byte.
  bool allKept = true;
  for (const auto& r : records) allKept = allKept && !r.Raw.empty();
  if (allKept && mirrin::CustomFileText(records) != input) std::abort();

  // Edit every other record with a value taken from the input itself.
  const std::string edit = input.substr(0, 40) + ",\"\r\n";
  for (size_t i = 0; i < records.size(); i += 2) records[i].Fields[i % mirrin::kCustomFieldCount] = edit;
  mirrin::DatFileHeader again;
  std::vector<mirrin::CustomRecord> reread;
  mirrin::ParseCustomText(mirrin::CustomFileText(records), again, reread);
  if (reread.size() != records.size()) std::abort();
  for (size_t i = 0; i < records.size(); ++i) {
    if (reread[i].Fields != records[i].Fields || reread[i].Extra != records[i].Extra) std::abort();
  }
  return 0;
}
