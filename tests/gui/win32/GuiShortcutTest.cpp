#include "gui/win32/GuiShortcut.h"

#include <gtest/gtest.h>
#include <ole2.h>
#include <shlobj.h>

#include <string>

namespace {

// A real file and a real shell link to it, made with the shell's link object.
struct ShortcutFiles : ::testing::Test {
  std::string folder, targetPath, linkPath;

  void SetUp() override {
    CoInitialize(nullptr);
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    folder = std::string(temp) + "lumivane-shortcut-test";
    CreateDirectoryA(folder.c_str(), nullptr);
    targetPath = folder + "\\sweep target.wav";
    HANDLE file = CreateFileA(targetPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    CloseHandle(file);
    linkPath = folder + "\\sweep.lnk";
    ASSERT_TRUE(makeLink(linkPath, targetPath));
  }
  void TearDown() override {
    DeleteFileA(linkPath.c_str());
    DeleteFileA(targetPath.c_str());
    RemoveDirectoryA(folder.c_str());
    CoUninitialize();
  }

  static bool makeLink(const std::string& link, const std::string& target) {
    IShellLinkA* shellLink = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&shellLink)))) {
      return false;
    }
    shellLink->SetPath(target.c_str());
    IPersistFile* file = nullptr;
    bool saved = false;
    if (SUCCEEDED(shellLink->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      WCHAR wide[MAX_PATH];
      MultiByteToWideChar(CP_ACP, 0, link.c_str(), -1, wide, MAX_PATH);
      saved = SUCCEEDED(file->Save(wide, TRUE));
      file->Release();
    }
    shellLink->Release();
    return saved;
  }

  // Short and long forms of one path give the same short form.
  static std::string shortForm(const std::string& path) {
    char shortPath[MAX_PATH] = {};
    GetShortPathNameA(path.c_str(), shortPath, MAX_PATH);
    return shortPath;
  }
  std::string shortTarget() const { return shortForm(targetPath); }
};

}  // namespace

TEST_F(ShortcutFiles, ShortcutResolvesToTheShortPathOfItsTargetInPlace) {
  char buffer[kDroppedPathSize] = {};
  linkPath.copy(buffer, linkPath.size());
  EXPECT_TRUE(resolveShortcut(buffer, buffer));
  EXPECT_NE(shortTarget(), "");
  EXPECT_EQ(shortForm(buffer), shortTarget());
}

TEST_F(ShortcutFiles, UpperCaseExtensionIsAShortcutToo) {
  const std::string upper = folder + "\\PEDAL.LNK";
  ASSERT_TRUE(makeLink(upper, targetPath));
  char target[kDroppedPathSize] = {};
  EXPECT_TRUE(resolveShortcut(upper.c_str(), target));
  EXPECT_EQ(shortForm(target), shortTarget());
  DeleteFileA(upper.c_str());
}

TEST_F(ShortcutFiles, OtherNamesAndUnreadableShortcutsAreLeftAsTheyAre) {
  const std::string names[] = {folder + "\\sweep", folder + "\\sweep.lnk.txt", targetPath, folder + "\\missing.lnk"};
  for (const std::string& name : names) {
    SCOPED_TRACE(name);
    char buffer[kDroppedPathSize] = {};
    name.copy(buffer, name.size());
    EXPECT_FALSE(resolveShortcut(buffer, buffer));
    EXPECT_EQ(std::string(buffer), name);
  }
}
