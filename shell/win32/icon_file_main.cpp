// Writes the program's icon file for its resources at build time:
// tavlo_icon_file OUTPUT.ico
#include <cstdio>
#include <vector>

#include "shell/win32/icon_file.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fputs("usage: tavlo_icon_file OUTPUT.ico\n", stderr);
        return 2;
    }
    const std::vector<std::uint8_t> bytes = tavlo::gadgetIconFile();
    std::FILE* file = std::fopen(argv[1], "wb");
    if (!file)
        return 1;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written ? 0 : 1;
}
