#include "platform/sim/HiveFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <vector>

#include "platform/sim/HiveIndex.h"
#include "platform/sim/RegName.h"
#include "platform/sim/SimulatedMachine.h"

namespace zuba::platform::sim {
namespace {

FileStamp StampOf(const struct stat& st) {
  FileStamp stamp;
  stamp.exists = true;
  stamp.device = st.st_dev;
  stamp.inode = st.st_ino;
  stamp.size = st.st_size;
  stamp.mtimeNs = static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
  return stamp;
}

// Builds the tree while the parser reads. Files are written depth first, so
// each key line usually extends the previous one: the nodes of the previous
// path are reused instead of being looked up again.
class HiveBuilder : public Regedit4Sink {
 public:
  HiveBuilder(RegRoot root, RegNode* tree) : root_(root), tree_(tree) {}

  const char* OnKey(int, RegRoot root, std::string_view path, bool remove) override {
    Flush();
    if (root != root_) return "key of another root in this hive";
    parts_.clear();
    ForEachKeyName(path, [this](std::string_view name) {
      parts_.push_back(name);
      return true;
    });
    if (remove) {
      current_ = nullptr;
      ForgetPreviousPath();
      RegNode* node = tree_;
      for (std::string_view name : parts_) {
        node = node->FindChild(name);
        if (!node) return nullptr;
      }
      if (node == tree_) return "a root key cannot be deleted";
      node->parent()->RemoveChild(node);
      return nullptr;
    }
    std::size_t shared = 0;
    while (shared < parts_.size() && shared < previousParts_.size() &&
           parts_[shared] == previousParts_[shared]) {
      ++shared;
    }
    previousNodes_.resize(shared);
    RegNode* node = shared == 0 ? tree_ : previousNodes_[shared - 1];
    for (std::size_t i = shared; i < parts_.size(); ++i) {
      bool added;
      node = node->FindOrAddChild(parts_[i], &added);
      previousNodes_.push_back(node);
    }
    current_ = node;
    previousPath_.assign(path);
    previousParts_.clear();
    ForEachKeyName(previousPath_, [this](std::string_view name) {
      previousParts_.push_back(name);
      return true;
    });
    return nullptr;
  }

  // A key's values are gathered and set together when the next line that
  // is no value comes, so that a key's list of values is made once.
  const char* OnValue(int, std::string_view name, std::uint32_t type,
                      std::string_view data) override {
    pending_.push_back(RegValueEntry{std::string(name), type, std::string(data)});
    return nullptr;
  }

  const char* OnRemoveValue(int, std::string_view name) override {
    Flush();
    current_->RemoveValue(name);
    return nullptr;
  }

  // Sets the values gathered on the current key.
  void Flush() {
    if (!pending_.empty()) current_->SetValues(&pending_);
  }

 private:
  void ForgetPreviousPath() {
    previousPath_.clear();
    previousParts_.clear();
    previousNodes_.clear();
  }

  RegRoot root_;
  RegNode* tree_;
  RegNode* current_ = nullptr;
  std::vector<std::string_view> parts_;
  std::string previousPath_;
  std::vector<std::string_view> previousParts_;  // views into previousPath_
  std::vector<RegNode*> previousNodes_;
  std::vector<RegValueEntry> pending_;  // values of current_ not yet set
};

// A save rewrites the whole hive, but usually only one key changed since the
// last: every other key's text is its block of the file as it was read, or
// comes from its cache. A key's text is made in `scratch`, whose memory
// serves every key, and then copied into the cache at its final size.
void WriteKey(const RegNode& node, std::string* path, std::string* out, std::string* scratch) {
  std::string& text = node.TextCache();
  const std::string_view block = node.SourceBlock();
  if (!block.empty()) {
    out->append(block);
  } else if (text.empty()) {
    scratch->clear();
    AppendKeyLine(scratch, *path);
    for (std::size_t i = 0; i < node.ValueCount(); ++i) {
      const RegValueEntry& value = node.Value(i);
      AppendValueLine(scratch, value.name, value.type, value.data);
    }
    scratch->append("\r\n");
    text.assign(*scratch);
    out->append(text);
  } else {
    out->append(text);
  }
  for (std::size_t i = 0; i < node.ChildCount(); ++i) {
    const RegNode& child = *node.Child(i);
    std::size_t length = path->size();
    path->push_back('\\');
    path->append(child.name());
    WriteKey(child, path, out, scratch);
    path->resize(length);
  }
}

}  // namespace

FileStamp StampOfFile(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0) return FileStamp();
  return StampOf(st);
}

std::unique_ptr<RegNode> ParseHiveText(std::string_view text, RegRoot root,
                                       const std::string& fileName) {
  auto tree = std::make_unique<RegNode>();
  if (text.empty()) return tree;
  HiveBuilder builder(root, tree.get());
  Regedit4Error error;
  if (!ParseRegedit4(text, builder, &error)) {
    throw MachineError(fileName + ":" + std::to_string(error.line) + ": " + error.message);
  }
  builder.Flush();
  return tree;
}

void WriteHiveText(const RegNode& tree, RegRoot root, std::string* out) {
  AppendRegedit4Header(out);
  std::string path(RegRootName(root));
  std::string scratch;
  WriteKey(tree, &path, out, &scratch);
}

std::unique_ptr<RegNode> LoadHiveFile(const std::string& path, RegRoot root, FileStamp* stamp) {
  int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) {
      *stamp = FileStamp();
      return std::make_unique<RegNode>();
    }
    throw MachineError(path + ": cannot read: " + std::strerror(errno));
  }
  struct stat st;
  std::string text;
  bool ok = fstat(fd, &st) == 0;
  if (ok) {
    text.resize(static_cast<std::size_t>(st.st_size));
    std::size_t done = 0;
    while (ok) {
      if (done == text.size()) text.resize(text.size() + 4096);  // the file grew meanwhile
      ssize_t n = read(fd, &text[done], text.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) ok = false;
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    text.resize(done);
  }
  int savedErrno = errno;
  close(fd);
  if (!ok) throw MachineError(path + ": cannot read: " + std::strerror(savedErrno));
  std::unique_ptr<RegNode> tree = IndexHiveText(&text, root);
  if (!tree) tree = ParseHiveText(text, root, path);
  *stamp = StampOf(st);
  return tree;
}

}  // namespace zuba::platform::sim
