// Writes the key list (Shift-JIS, CR LF) to the file its argument names. The
// build runs it on the machine that builds, so command.txt is made from the
// same command table as the menus and keys of the program beside it.
#include <cstdio>
#include <string>

#include "app/key_list.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: key_list_writer <command.txt>\n");
    return 2;
  }
  std::string problem;
  std::string list = RenderKeyList(&problem);
  if (list.empty()) {
    std::fprintf(stderr, "key_list_writer: %s\n", problem.c_str());
    return 1;
  }
  std::FILE* file = std::fopen(argv[1], "wb");
  if (file == nullptr) {
    std::perror(argv[1]);
    return 1;
  }
  bool written = std::fwrite(list.data(), 1, list.size(), file) == list.size();
  if (std::fclose(file) != 0) written = false;
  if (!written) {
    std::fprintf(stderr, "key_list_writer: could not write %s\n", argv[1]);
    std::remove(argv[1]);
    return 1;
  }
  return 0;
}
