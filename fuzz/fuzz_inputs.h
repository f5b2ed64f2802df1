#pragma once
// What the fuzz targets do with one input. The regression test replays the checked-in
// corpus through the same functions, so every input that ever failed is tried again.

#include <cstddef>
#include <cstdint>
#include <string>

namespace plotix {

// Reads the bytes as a graph file, from memory, with its signature and both checksums
// made right so that the records themselves are read; a graph that loads is rendered
// with its labels, saved, opened again and saved again. Returns what went wrong (a saved
// graph that does not open, a second save that differs), or an empty text. Needs a Qt
// application and the graph kinds registered.
std::string ReplayGraphFile(const std::uint8_t* data, std::size_t size);

// The bytes as the calculator's fields, separated by line feeds: the function of x and z,
// then the x and z texts; a fourth line asks for the exponent form.
void ReplayExpression(const std::uint8_t* data, std::size_t size);

}  // namespace plotix
