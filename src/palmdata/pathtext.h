#pragma once
// Paths are text in the code page like every other text of the program (a
// user's folder name comes from users.dat). Windows names files in UTF-16:
// there the bytes are read in the system's ANSI code page, as Palm Desktop's
// own file calls read them, and opened through the wide-character API.
// std::filesystem::path made from a narrow string would read them as
// Latin-1 instead. Elsewhere the bytes are the file name as they stand.
#include <filesystem>
#include <string>
#include <string_view>

namespace mirrin {

std::filesystem::path FsPath(std::string_view native);
// A character the code page lacks becomes "?", never a look-alike that
// could name another file.
std::string PathText(const std::filesystem::path& path);

#ifdef _WIN32
// Windows's conversions between a code page's bytes and UTF-16, each in its
// two calls (size, then text). Empty when the system refuses the text, as
// MB_ERR_INVALID_CHARS in flags may ask it to; fallback stands for a
// character the page lacks where the page allows one.
std::wstring WideFromPage(unsigned page, unsigned long flags, std::string_view bytes);
std::string PageFromWide(unsigned page, unsigned long flags, std::wstring_view wide,
                         const char* fallback = nullptr);

std::wstring WidePath(std::string_view native);
std::string NarrowPath(std::wstring_view wide);
#endif

}  // namespace mirrin
