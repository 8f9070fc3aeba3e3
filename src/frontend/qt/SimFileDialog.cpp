#include "frontend/qt/SimFileDialog.h"

#include <QApplication>
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStyle>

#include "frontend/qt/QtMessageBox.h"
#include "frontend/qt/QtText.h"
#include "platform/Cp932.h"

namespace zuba::qt {
namespace {

constexpr int kNameRole = Qt::UserRole;  // the entry's CP932 name
constexpr int kIsFolderRole = Qt::UserRole + 1;

QString FromBytes(const std::string& text) { return ToQt(text); }

bool HasWildcard(const std::string& text) {
  return platform::FindCp932(text, '*') != std::string::npos ||
         platform::FindCp932(text, '?') != std::string::npos;
}

}  // namespace

SimFileDialog::SimFileDialog(platform::Files& files, const toolkit::OpenFileRequest& request,
                             QWidget* parent)
    : QDialog(parent),
      browser_(files),
      request_(request),
      types_(ParseFilter(request.filter)),
      names_(request.options & toolkit::kOfNoLongNames ? NameKind::kShort : NameKind::kLong) {
  setWindowTitle(request.title.empty() ? ToQt("ファイルを開く") : ToQt(request.title));
  setObjectName("OpenDialog");

  drives_ = new QComboBox(this);
  drives_->setObjectName("Drives");
  location_ = new QLabel(this);
  location_->setObjectName("Location");
  entries_ = new QListWidget(this);
  entries_->setObjectName("Entries");
  name_ = new QLineEdit(this);
  name_->setObjectName("FileName");
  typeBox_ = new QComboBox(this);
  typeBox_->setObjectName("FileTypes");
  auto* open = new QPushButton(ToQt("開く(&O)"), this);
  open->setObjectName("Open");
  open->setDefault(true);
  auto* cancel = new QPushButton(ButtonText(toolkit::MessageResult::kCancel), this);
  cancel->setObjectName("Cancel");

  auto label = [this](const char* text, QWidget* buddy) {
    auto* made = new QLabel(ToQt(text), this);
    made->setBuddy(buddy);
    return made;
  };
  auto* grid = new QGridLayout(this);
  grid->addWidget(label("ファイルの場所(&I):", drives_), 0, 0);
  grid->addWidget(drives_, 0, 1);
  grid->addWidget(location_, 0, 2);
  grid->addWidget(entries_, 1, 0, 1, 3);
  grid->addWidget(label("ファイル名(&N):", name_), 2, 0);
  grid->addWidget(name_, 2, 1, 1, 2);
  grid->addWidget(open, 2, 3);
  grid->addWidget(label("ファイルの種類(&T):", typeBox_), 3, 0);
  grid->addWidget(typeBox_, 3, 1, 1, 2);
  grid->addWidget(cancel, 3, 3);
  grid->setColumnStretch(2, 1);
  resize(460, 300);

  for (char drive : browser_.Drives()) drives_->addItem(QString(QLatin1Char(drive)) + ":");
  for (const auto& [description, pattern] : types_) typeBox_->addItem(FromBytes(description));
  int type = request.filterIndex - 1;
  if (type < 0 || type >= static_cast<int>(types_.size())) type = 0;
  typeBox_->setCurrentIndex(type);
  pattern_ = types_.empty() ? "*" : types_[type].second;

  directory_ = request.initialDir.empty() ? files.CurrentDirectory() : request.initialDir;
  directory_ = FullPath(files.CurrentDirectory(), directory_);
  std::string name = request.fileName;
  if (platform::FindCp932(name, '\\') != std::string::npos || name.find(':') == 1) {
    std::string full = FullPath(directory_, name);
    directory_ = ParentPath(full);
    name = full.substr(JoinPath(directory_, "").size());
  }
  if (HasWildcard(name)) pattern_ = name;
  name_->setText(FromBytes(name));

  connect(open, &QPushButton::clicked, this, [this] { OpenTyped(); });
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(entries_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* i) { Activated(i); });
  connect(entries_, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
    if (!item->data(kIsFolderRole).toBool()) name_->setText(item->text());
  });
  connect(typeBox_, QOverload<int>::of(&QComboBox::activated), this, [this](int index) {
    if (index >= 0 && index < static_cast<int>(types_.size())) pattern_ = types_[index].second;
    Refresh();
  });
  connect(drives_, QOverload<int>::of(&QComboBox::activated), this, [this](int index) {
    directory_ = drives_->itemText(index).toStdString() + "\\";
    Refresh();
  });
  Refresh();
}

void SimFileDialog::Refresh() {
  std::vector<std::string> directories;
  std::vector<std::string> files;
  if (names_ == NameKind::kShort) directory_ = browser_.ShortPath(directory_);
  if (!browser_.List(directory_, pattern_, &directories, &files, names_)) {
    directory_ = JoinPath(directory_.substr(0, 2), "");
    browser_.List(directory_, pattern_, &directories, &files, names_);
  }
  location_->setText(FromBytes(directory_));
  drives_->setCurrentIndex(drives_->findText(QString::fromLatin1(directory_.substr(0, 2).c_str())));
  entries_->clear();
  auto add = [&](const std::string& name, bool folder, QStyle::StandardPixmap icon) {
    auto* item = new QListWidgetItem(style()->standardIcon(icon), FromBytes(name), entries_);
    item->setData(kNameRole, QByteArray::fromStdString(name));
    item->setData(kIsFolderRole, folder);
  };
  if (ParentPath(directory_) != directory_) add("..", true, QStyle::SP_FileDialogToParent);
  for (const std::string& name : directories) add(name, true, QStyle::SP_DirIcon);
  for (const std::string& name : files) add(name, false, QStyle::SP_FileIcon);
}

void SimFileDialog::Activated(QListWidgetItem* item) {
  std::string name = item->data(kNameRole).toByteArray().toStdString();
  if (item->data(kIsFolderRole).toBool()) {
    directory_ = name == ".." ? ParentPath(directory_) : JoinPath(directory_, name);
    Refresh();
    return;
  }
  name_->setText(item->text());
  OpenTyped();
}

void SimFileDialog::OpenTyped() {
  std::string typed;
  if (!FromQtEdit("", name_->text(), &typed)) {
    QApplication::beep();
    return;
  }
  std::string result;
  switch (browser_.Resolve(&directory_, typed, request_.defaultExt, request_.options, &result)) {
    case FileBrowser::Typed::kNothing:
      if (QListWidgetItem* item = entries_->currentItem()) Activated(item);
      return;
    case FileBrowser::Typed::kFile:
      chosen_ = names_ == NameKind::kShort ? browser_.ShortPath(result) : result;
      accept();
      return;
    case FileBrowser::Typed::kDirectory:
      directory_ = result;
      name_->clear();
      Refresh();
      return;
    case FileBrowser::Typed::kPattern:
      pattern_ = result;
      Refresh();
      return;
    case FileBrowser::Typed::kMissingFile:
      Complain(result +
               "\r\nファイルが見つかりません。\r\nファイル名を確認して再実行してください。");
      return;
    case FileBrowser::Typed::kMissingPath:
      Complain(result + "\r\nパスが見つかりません。\r\nパス名を確認して再実行してください。");
      return;
  }
}

void SimFileDialog::Complain(const std::string& text) {
  RunMessageBox(this, windowTitle(), ToQt(text), toolkit::MessageIcon::kWarning,
                toolkit::MessageButtons::kOk);
}

}  // namespace zuba::qt
