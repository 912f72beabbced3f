#pragma once
// A one-line progress bar on a terminal, redrawn only when the shown percentage
// changes; silent when the stream is not a terminal or the job is short.

#include <cstdint>
#include <cstdio>

class ProgressBar {
public:
  // Shows itself for jobs of at least minimumFrames, and only on a terminal.
  ProgressBar(std::FILE* outputStream, std::int64_t minimumFrames, std::int64_t totalFrames);
  ~ProgressBar();  // clears the line it drew

  ProgressBar(const ProgressBar&) = delete;
  ProgressBar& operator=(const ProgressBar&) = delete;

  void update(std::int64_t done, std::int64_t total);

private:
  std::FILE* stream;
  bool visible;
  int shownPercent = -1;
};
