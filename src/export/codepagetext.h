#pragma once
// Record texts are the code-page bytes of the files; exports are UTF-8.
#include <string>
#include <string_view>

namespace mirrin {

// Windows-1252, the code page Palm Desktop wrote on western systems. The
// five bytes that code page leaves unassigned become the C1 control of the
// same number, so no byte is lost.
std::string CodePageToUtf8(std::string_view bytes);

}  // namespace mirrin
