// The 32-bit handles the platform seam hands out, for native handles that
// are pointer-sized on 64-bit Windows (HKEY, HANDLE, HMODULE, FARPROC).
#ifndef ZUBA_PLATFORM_WIN32_HANDLETABLE_H_
#define ZUBA_PLATFORM_WIN32_HANDLETABLE_H_

#include <cstdint>
#include <map>

namespace zuba::platform::win32 {

// Numbers run from 1 to kLast, so a handle is never 0 (none) and never one
// of the predefined registry roots (0x80000000 and up). A number is given
// out again only after every other one has been used.
template <typename Native>
class HandleTable {
 public:
  static constexpr std::uint32_t kLast = 0x7FFFFFFF;

  HandleTable() = default;
  HandleTable(const HandleTable&) = delete;
  HandleTable& operator=(const HandleTable&) = delete;

  // The number for `native`; 0 when every number is taken.
  std::uint32_t Add(Native native) {
    if (entries_.size() >= kLast) return 0;
    do {
      next_ = next_ >= kLast ? 1 : next_ + 1;
    } while (entries_.count(next_) != 0);
    entries_.emplace(next_, native);
    return next_;
  }

  // The native handle of `id`; false when `id` is not in the table.
  bool Find(std::uint32_t id, Native* native) const {
    auto it = entries_.find(id);
    if (it == entries_.end()) return false;
    *native = it->second;
    return true;
  }

  // Takes `id` out of the table, handing its native handle back.
  bool Remove(std::uint32_t id, Native* native) {
    auto it = entries_.find(id);
    if (it == entries_.end()) return false;
    *native = it->second;
    entries_.erase(it);
    return true;
  }

  // Calls `release(native)` for every handle left and empties the table.
  template <typename F>
  void ReleaseAll(F release) {
    for (auto& entry : entries_) release(entry.second);
    entries_.clear();
  }

  std::size_t size() const { return entries_.size(); }

 private:
  std::map<std::uint32_t, Native> entries_;
  std::uint32_t next_ = 0;
};

}  // namespace zuba::platform::win32

#endif  // ZUBA_PLATFORM_WIN32_HANDLETABLE_H_
