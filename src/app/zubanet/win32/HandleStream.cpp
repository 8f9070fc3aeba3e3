#include "app/zubanet/win32/HandleStream.h"

#include "platform/win32/Win32Api.h"

namespace zuba::app {

HandleBuffer::HandleBuffer(void* handle) : handle_(handle) {
  setp(buffer_, buffer_ + sizeof buffer_);
}

HandleBuffer::~HandleBuffer() { Flush(); }

HandleBuffer::int_type HandleBuffer::overflow(int_type c) {
  if (!Flush()) return traits_type::eof();
  if (!traits_type::eq_int_type(c, traits_type::eof())) sputc(traits_type::to_char_type(c));
  return traits_type::not_eof(c);
}

int HandleBuffer::sync() { return Flush() ? 0 : -1; }

bool HandleBuffer::Flush() {
  const char* data = pbase();
  DWORD left = static_cast<DWORD>(pptr() - pbase());
  setp(buffer_, buffer_ + sizeof buffer_);
  if (handle_ == nullptr || handle_ == INVALID_HANDLE_VALUE) return true;
  while (left > 0) {
    DWORD written = 0;
    if (!WriteFile(static_cast<HANDLE>(handle_), data, left, &written, nullptr) || written == 0) {
      return false;
    }
    data += written;
    left -= written;
  }
  return true;
}

}  // namespace zuba::app
