// zubanet-floor read FILE...     reads each file whole
// zubanet-floor edit FILE...     reads each file, changes one byte in memory
//                                and replaces it atomically and durably
//
// The floor of a measured operation: a program that does only the I/O the
// operation cannot avoid, on the same files, so a figure of zubanet can be
// set against what its files alone cost. C calls only, so the floor's own
// start is that of the C library.
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

char* ReadAll(const char* path, size_t* size) {
  int fd = open(path, O_RDONLY);
  if (fd < 0) return nullptr;
  struct stat st;
  fstat(fd, &st);
  char* data = static_cast<char*>(malloc(st.st_size + 1));
  size_t done = 0;
  for (ssize_t n; done < static_cast<size_t>(st.st_size) &&
                  (n = read(fd, data + done, st.st_size - done)) > 0;) {
    done += n;
  }
  close(fd);
  *size = done;
  return data;
}

bool WriteDurably(const char* path, const char* data, size_t size) {
  char temp[4096];
  snprintf(temp, sizeof temp, "%s.floor", path);
  int fd = open(temp, O_WRONLY | O_CREAT | O_TRUNC, 0644);
  if (fd < 0) return false;
  for (size_t done = 0; done < size;) {
    ssize_t n = write(fd, data + done, size - done);
    if (n <= 0) return false;
    done += n;
  }
  bool ok = fsync(fd) == 0;
  close(fd);
  return ok && rename(temp, path) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3 || (strcmp(argv[1], "read") != 0 && strcmp(argv[1], "edit") != 0)) {
    fputs("usage: zubanet-floor read|edit FILE...\n", stderr);
    return 2;
  }
  const bool edit = strcmp(argv[1], "edit") == 0;
  for (int i = 2; i < argc; ++i) {
    size_t size = 0;
    char* data = ReadAll(argv[i], &size);
    if (!data) {
      perror(argv[i]);
      return 1;
    }
    if (edit) {
      if (size > 0) data[size / 2] = data[size / 2] == 'x' ? 'y' : 'x';
      if (!WriteDurably(argv[i], data, size)) {
        perror(argv[i]);
        return 1;
      }
    }
    free(data);
  }
  return 0;
}
