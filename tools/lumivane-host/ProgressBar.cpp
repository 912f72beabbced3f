#include "tools/lumivane-host/ProgressBar.h"

#include <unistd.h>

#include <string>

namespace {
constexpr int kBarWidth = 40;
}

ProgressBar::ProgressBar(std::FILE* outputStream, std::int64_t minimumFrames, std::int64_t totalFrames)
    : stream(outputStream), visible(totalFrames >= minimumFrames && isatty(fileno(outputStream))) {}

ProgressBar::~ProgressBar() {
  if (visible && shownPercent >= 0) std::fprintf(stream, "\r%*s\r", kBarWidth + 8, "");
}

void ProgressBar::update(std::int64_t done, std::int64_t total) {
  if (!visible || total <= 0) return;
  const int percent = static_cast<int>(done * 100 / total);
  if (percent == shownPercent) return;
  shownPercent = percent;
  const int filled = percent * kBarWidth / 100;
  std::fprintf(stream, "\r[%s%s] %3d%%", std::string(filled, '#').c_str(), std::string(kBarWidth - filled, '.').c_str(),
               percent);
  std::fflush(stream);
}
