#pragma once

#include <fstream>
#include <iterator>
#include <string>

namespace tavlo::testing {

// A /proc file captured from a real machine, from tests/data/proc.
inline std::string captured(const char* name)
{
    std::ifstream in(std::string(TAVLO_TEST_DATA) + "/proc/" + name, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

}  // namespace tavlo::testing
