// Opens the plug-in's editor in a window, as a host does, and saves what the
// screen shows of it as a 24-bit BMP file.
//   lumivane-editor-screenshot PLUGIN OUT.bmp [SCALE]   (PLUGIN: the .dll or the .so)
// With a scale, the host hands it to the plug-in as its content scale factor before opening the editor.

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "tools/standin/EditorWindow.h"
#include "tools/standin/PluginModule.h"
#include "tools/standin/StandInHost.h"

namespace {
constexpr int kWindowX = 40;
constexpr int kWindowY = 40;
constexpr unsigned kSettleMilliseconds = 400;

void putLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

bool writeBmp(const PanelPixels& pixels, const std::string& path) {
  const std::uint32_t stride = (static_cast<std::uint32_t>(pixels.width) * 3 + 3) & ~3u;
  const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(pixels.height);
  std::vector<std::uint8_t> file;
  file.push_back('B');
  file.push_back('M');
  putLittleEndian(file, 54 + imageSize, 4);
  putLittleEndian(file, 0, 4);
  putLittleEndian(file, 54, 4);
  putLittleEndian(file, 40, 4);
  putLittleEndian(file, static_cast<std::uint32_t>(pixels.width), 4);
  putLittleEndian(file, static_cast<std::uint32_t>(pixels.height), 4);
  putLittleEndian(file, 1, 2);
  putLittleEndian(file, 24, 2);
  putLittleEndian(file, 0, 4);
  putLittleEndian(file, imageSize, 4);
  putLittleEndian(file, 2835, 4);
  putLittleEndian(file, 2835, 4);
  putLittleEndian(file, 0, 4);
  putLittleEndian(file, 0, 4);
  for (int y = pixels.height - 1; y >= 0; --y) {  // BMP rows go bottom up
    std::uint32_t written = 0;
    for (int x = 0; x < pixels.width; ++x, written += 3) {
      const std::uint32_t rgb = pixels.at(x, y);
      file.push_back(static_cast<std::uint8_t>(rgb));
      file.push_back(static_cast<std::uint8_t>(rgb >> 8));
      file.push_back(static_cast<std::uint8_t>(rgb >> 16));
    }
    for (; written < stride; ++written) file.push_back(0);
  }
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  return static_cast<bool>(out);
}
}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr, "usage: lumivane-editor-screenshot PLUGIN OUT.bmp [SCALE]\n");
    return 2;
  }
  try {
    PluginModule module(argv[1]);
    StandInHost host(module.entry());
    if (host.open() == nullptr) {
      std::fprintf(stderr, "the plug-in refused to open\n");
      return 1;
    }
    if (argc == 4) {
      host.dispatch(effVendorSpecific, kContentScaleIndex, kContentScaleValue, nullptr,
                    static_cast<float>(std::atof(argv[3])));
    }
    PanelPixels pixels;
    {
      EditorWindow window(host, kWindowX, kWindowY);
      if (!window.isOpen()) {
        std::fprintf(stderr, "the plug-in opened no editor window\n");
        return 1;
      }
      window.runFor(kSettleMilliseconds);
      pixels = window.capture();
    }
    host.close();
    if (pixels.rgb.empty() || !writeBmp(pixels, argv[2])) {
      std::fprintf(stderr, "could not write %s\n", argv[2]);
      return 1;
    }
    std::printf("%s: %d x %d\n", argv[2], pixels.width, pixels.height);
    return 0;
  } catch (const PluginLoadError& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}
