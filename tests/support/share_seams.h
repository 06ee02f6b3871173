#pragma once
// The seams of platform/sharedfolder.h for one test: every path counts as on
// a network file system (or none), and pauses are counted instead of waited
// (onPause runs at each, with its number from 1).
#include <chrono>
#include <functional>
#include <vector>

#include "platform/sharedfolder.h"

class ShareSeams {
 public:
  explicit ShareSeams(bool network) {
    platform::SetNetworkFileSystemOverride(network);
    platform::SetSharePauseOverride([this](std::chrono::milliseconds pause) {
      pauses.push_back(pause);
      if (onPause) onPause(pauses.size());
    });
  }
  ~ShareSeams() {
    platform::SetNetworkFileSystemOverride(std::nullopt);
    platform::SetSharePauseOverride(nullptr);
  }
  ShareSeams(const ShareSeams&) = delete;
  ShareSeams& operator=(const ShareSeams&) = delete;

  std::vector<std::chrono::milliseconds> pauses;
  std::function<void(size_t)> onPause;
};
