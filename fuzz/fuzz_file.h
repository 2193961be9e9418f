// The fuzz targets feed each input to the real readers through a real file, so the record reader is
// exercised as well; the file lives in memory-backed storage where there is one.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace kalvor::fuzz {

// Writes the input to this process's scratch file and returns its path.
std::string WriteInput(const std::uint8_t* data, std::size_t size, const char* name);

// Starts the toolkit once (offscreen), for targets that draw.
void StartToolkitOnce();

}  // namespace kalvor::fuzz
