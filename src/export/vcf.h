#pragma once
// Contacts as vCard 4.0 (RFC 6350): names, company and title, every phone
// with its label (e-mail entries as EMAIL), the three addresses, the custom
// fields as X- properties, IM, web site, note and category.
#include <string>
#include <vector>

#include "export/exportset.h"

namespace mirrin {

std::string ContactCards(const ExportContext& c, const std::vector<ExportRecord>& records);

}  // namespace mirrin
