// Stands in for the user's browser in tests: appends the address it is given (second argument)
// as one line to the file named by its first argument.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
  if (argc < 3) return 2;
  FILE* out = std::fopen(argv[1], "ab");
  if (!out) return 1;
  std::fprintf(out, "%s\n", argv[2]);
  std::fclose(out);
  return 0;
}
