// An output stream on a Win32 file handle (standard output or error),
// written with WriteFile. zubanet.exe writes its standard streams through
// these rather than std::cout and std::cerr, whose start-up brings in
// libstdc++'s file buffers and with them msvcrt's _fstat64, which Windows
// 95 and 98 lack (docs/win9x-imports.md).
#ifndef ZUBA_APP_ZUBANET_WIN32_HANDLESTREAM_H_
#define ZUBA_APP_ZUBANET_WIN32_HANDLESTREAM_H_

#include <ostream>
#include <streambuf>

namespace zuba::app {

class HandleBuffer : public std::streambuf {
 public:
  // `handle` is a HANDLE; an invalid or null one takes the text and drops it.
  explicit HandleBuffer(void* handle);
  ~HandleBuffer() override;

 protected:
  int_type overflow(int_type c) override;
  int sync() override;

 private:
  bool Flush();

  void* handle_;
  char buffer_[1024];
};

class HandleStream : public std::ostream {
 public:
  explicit HandleStream(void* handle) : std::ostream(nullptr), buffer_(handle) { rdbuf(&buffer_); }
  ~HandleStream() override { flush(); }

 private:
  HandleBuffer buffer_;
};

}  // namespace zuba::app

#endif  // ZUBA_APP_ZUBANET_WIN32_HANDLESTREAM_H_
