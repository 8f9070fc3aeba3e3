// What a machine does when it may not be written: a directory tree made
// read-only, and processes that cannot write it even when the tests run as
// root (root ignores permission bits, so they run as "nobody" then).
#ifndef ZUBA_TESTING_UNPRIVILEGED_H_
#define ZUBA_TESTING_UNPRIVILEGED_H_

#include <functional>
#include <string>

namespace zuba::testing {

// Takes the write permission off `path` and everything below it, and lets
// everyone read (and enter) them; the destructor gives the owner's write
// permission back, so that the tree can be removed.
class ReadOnlyTree {
 public:
  explicit ReadOnlyTree(std::string path);
  ~ReadOnlyTree();
  ReadOnlyTree(const ReadOnlyTree&) = delete;
  ReadOnlyTree& operator=(const ReadOnlyTree&) = delete;

 private:
  std::string path_;
};

// Runs `body` in a child process without the privilege to write what is
// read-only: under root it first becomes user and group 65534. Answers
// what `body` returned (0 to 255), or -1 when the child did not end normally
// or could not give up its privileges.
int RunUnprivileged(const std::function<int()>& body);

// Shell text to put before a command so that it runs the same way: empty
// when the tests do not run as root.
std::string UnprivilegedCommandPrefix();

}  // namespace zuba::testing

#endif  // ZUBA_TESTING_UNPRIVILEGED_H_
