#pragma once

// A whole file as bytes, and little-endian fields read from it, for the tests that read
// programs' headers.

#include <bit>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <string>
#include <vector>

namespace tervanel::test {

static_assert(std::endian::native == std::endian::little, "the formats are read in place");

using Bytes = std::vector<std::uint8_t>;

inline Bytes readFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A field at a byte offset; a field that runs past the end is an error, not a guess.
template <typename T> T readField(const Bytes &bytes, std::uint64_t at)
{
    if (at > bytes.size() || sizeof(T) > bytes.size() - at)
        throw std::out_of_range("a header runs past the end of the file");
    T value;
    std::memcpy(&value, bytes.data() + at, sizeof(T));
    return value;
}

} // namespace tervanel::test
