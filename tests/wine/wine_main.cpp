// The wine suite's entry point.
//
// "--touch FILE" is not a test run: the shell test starts this program that way
// and waits for FILE (relative to the working folder) to appear.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <io.h>

#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  if (argc == 3 && std::strcmp(argv[1], "--touch") == 0) {
    FILE* file = std::fopen(argv[2], "wb");
    if (!file) return 1;
    std::fputs("touched", file);
    return std::fclose(file) == 0 ? 0 : 1;
  }
  // msvcrt turns "\n" into CRLF on a text-mode stdout.
  _setmode(_fileno(stdout), _O_BINARY);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
