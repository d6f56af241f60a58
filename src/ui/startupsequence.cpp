#include "ui/startupsequence.h"

#include "ui/app.h"

namespace mirrin {

void FormLoad(MirrinApp&, const std::vector<std::string>&) {}

}  // namespace mirrin
