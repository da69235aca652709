#include "data/retrying_file_system.h"

#include <algorithm>
#include <thread>

namespace gyra {

void SleepFor(std::chrono::milliseconds duration) { std::this_thread::sleep_for(duration); }

bool RetryingFileSystem::Retried(const std::function<bool()>& change) {
  using std::chrono::milliseconds;
  for (milliseconds gap{10};; gap = std::min(gap * 2, milliseconds{250})) {
    if (change()) return true;
    if (waited_ + gap > kRetryBudget) return false;
    pause_(gap);
    waited_ += gap;
  }
}

bool RetryingFileSystem::RemoveFile(const std::string& path) {
  return Retried([&] { return inner_.RemoveFile(path); });
}

bool RetryingFileSystem::RenameFolder(const std::string& from, const std::string& to) {
  return Retried([&] { return inner_.RenameFolder(from, to); });
}

bool RetryingFileSystem::RemoveFolder(const std::string& path) {
  return Retried([&] { return inner_.RemoveFolder(path); });
}

}  // namespace gyra
