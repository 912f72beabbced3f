#pragma once
// A host's urid:map for the tests: each URI gets the next number, from 1.

#include <string>
#include <vector>

#include "lv2/Lv2Abi.h"

class TestUridMap {
public:
  LV2_URID_Map feature{this, &TestUridMap::idOf};
  LV2_URID id(const char* uri) { return idOf(this, uri); }

private:
  static LV2_URID idOf(void* handle, const char* uri) {
    auto& uris = static_cast<TestUridMap*>(handle)->uris;
    for (std::size_t i = 0; i < uris.size(); ++i)
      if (uris[i] == uri) return static_cast<LV2_URID>(i + 1);
    uris.emplace_back(uri);
    return static_cast<LV2_URID>(uris.size());
  }
  std::vector<std::string> uris;
};
