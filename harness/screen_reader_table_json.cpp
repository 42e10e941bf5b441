// Writes the table of what a screen reader must find, as JSON, to the file named by its
// argument: the build makes it for the checks that are not written in C++.

#include "harness/screen_reader_table.hpp"

#include <fstream>
#include <iostream>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::cerr << "usage: screen_reader_table_json FILE\n";
        return 2;
    }
    std::ofstream out(argv[1], std::ios::binary);
    out << tervanel::harness::screenReaderTableJson();
    return out.good() ? 0 : 1;
}
