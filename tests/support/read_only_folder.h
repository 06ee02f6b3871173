#pragma once
// A folder that cannot be written into while the guard lives: its write bits
// are removed, and when the tests run as root (who may write anywhere) the
// thread's file-system identity becomes an ordinary user's meanwhile.
#include <sys/fsuid.h>
#include <unistd.h>

#include <filesystem>

class ReadOnlyFolder {
 public:
  explicit ReadOnlyFolder(std::filesystem::path folder) : folder_(std::move(folder)) {
    std::filesystem::create_directories(folder_);
    std::filesystem::permissions(folder_,
                                 std::filesystem::perms::owner_write | std::filesystem::perms::group_write |
                                     std::filesystem::perms::others_write,
                                 std::filesystem::perm_options::remove);
    if (::geteuid() == 0) {
      ::setfsuid(65534);
      dropped_ = true;
    }
  }
  ~ReadOnlyFolder() {
    if (dropped_) ::setfsuid(0);
    std::filesystem::permissions(folder_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add);
  }
  ReadOnlyFolder(const ReadOnlyFolder&) = delete;
  ReadOnlyFolder& operator=(const ReadOnlyFolder&) = delete;

 private:
  std::filesystem::path folder_;
  bool dropped_ = false;
};
