// Arbitrary bytes read as an address file. Reading may refuse them with a
// RunError, but must not crash, hang or allocate without bound; whatever
// reads must build to bytes that read and build again to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "palmdata/addressfile.h"
#include "palmdata/errors.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace mirrin;
  const Bytes input(reinterpret_cast<const char*>(data), size);
  DataContext ctx;
  DatFileHeader header;
  std::vector<ContactRecord> records;
  Bytes built;
  try {
    ParseAddressFile(input, "fuzz.dat", header, records, ctx);
    // A text of exactly 32768 bytes reads but is refused on writing.
    built = BuildAddressFile(header, records, ctx);
  } catch (const RunError&) {
    return 0;
  }
  // The header's record-count check allows 8 bytes per declared field; a
  // header declaring more fields than the layout has can be read only thanks
  // to bytes after the last record, which are not written back.
  const int32_t layoutFields = header.IsExtended ? 73 : 30;
  if (header.FieldCount > layoutFields && header.RecordCount > 0) return 0;
  DatFileHeader again;
  std::vector<ContactRecord> reread;
  ParseAddressFile(built, "built.dat", again, reread, ctx);
  if (BuildAddressFile(again, reread, ctx) != built) std::abort();
  return 0;
}
