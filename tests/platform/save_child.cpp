// A program saving a file, for a test that kills it half-way: it builds
// version <letter> of <bytes> bytes (testfiles::version), says "saving" on
// its output and writes the file through the program's own writer.
//
//     save_child <file> <bytes> <letter>

#include "FileBytes.h"
#include "platform/system/FileIO.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char *argv[])
{
    if (argc != 4)
        return 2;
    const QByteArray bytes = testfiles::version(std::atoll(argv[2]), argv[3][0]);
    std::puts("saving");
    std::fflush(stdout);
    try {
        fileio::write(QFile::decodeName(argv[1]), bytes);
    } catch (const FileError &e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
