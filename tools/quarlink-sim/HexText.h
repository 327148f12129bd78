// Bytes as hexadecimal text and back, for the log and the command line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

std::string HexText(const uint8_t* bytes, size_t length); // "CC DD"
// Pairs of hexadecimal digits with nothing between them; nothing for any other text.
std::optional<std::vector<uint8_t>> ParseHex(std::string_view digits);
