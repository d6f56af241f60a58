#include "palmdata/recordfile.h"

namespace mirrin {

void RethrowAt(const RunError& e, const std::string& where) { throw e.At(where); }

}  // namespace mirrin
