#pragma once
// The part of whole-file reading that does not depend on the system.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

#include "palmdata/binio.h"

namespace mirrin {

// Reads a file the system says holds `size` bytes to its real end, as it may
// grow meanwhile, never past maxBytes (a larger file is a RunError naming its
// size). readSome puts up to `room` bytes at `into` and returns how many, 0 at
// the end; it throws on a read error.
Bytes ReadToEnd(std::string_view path, uint64_t size, size_t maxBytes,
                const std::function<size_t(char* into, size_t room)>& readSome);

}  // namespace mirrin
