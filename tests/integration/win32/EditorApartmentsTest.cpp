// A host that loads plug-ins on a worker thread and shows their editors on its
// user-interface thread: COM and OLE on each thread stay as the host set them
// up, whatever the plug-in needed there for the editor's drag and drop.

#include <gtest/gtest.h>
#include <ole2.h>

#include <thread>

#include "editor/FilterSweepEditor.h"
#include "gui/GuiFrame.h"
#include "host/EffectBase.h"
#include "tools/standin/EditorWindow.h"
#include "tools/standin/PluginModule.h"
#include "tools/standin/StandInHost.h"

namespace {

// What a host set up on one of its threads before handing it to the plug-in.
enum class Apartment { None, Ole, Multithreaded };

const char* nameOf(Apartment apartment) {
  switch (apartment) {
    case Apartment::None: return "nothing";
    case Apartment::Ole: return "OLE";
    case Apartment::Multithreaded: return "the multithreaded apartment";
  }
  return "";
}

bool enter(Apartment apartment) {
  switch (apartment) {
    case Apartment::None: return true;
    case Apartment::Ole: return OleInitialize(nullptr) == S_OK;
    case Apartment::Multithreaded: return CoInitializeEx(nullptr, COINIT_MULTITHREADED) == S_OK;
  }
  return false;
}

void leave(Apartment apartment) {
  if (apartment == Apartment::Ole) OleUninitialize();
  if (apartment == Apartment::Multithreaded) CoUninitialize();
}

// Asked again for what the host set up, the thread answers that it has it
// already; a thread the host left alone takes the multithreaded apartment
// afresh, which a single-threaded one left behind would refuse.
bool isAsTheHostSetItUp(Apartment apartment) {
  const HRESULT answer =
      apartment == Apartment::Ole ? OleInitialize(nullptr) : CoInitializeEx(nullptr, COINIT_MULTITHREADED);
  if (SUCCEEDED(answer)) apartment == Apartment::Ole ? OleUninitialize() : CoUninitialize();
  return answer == (apartment == Apartment::None ? S_OK : S_FALSE);
}

PluginModule& plugin() {
  static PluginModule module(LUMIVANE_PLUGIN_PATH);
  return module;
}

}  // namespace

TEST(EditorApartments, EachThreadOfTheHostKeepsItsOwnSetUpThroughLoadingEditingAndClosing) {
  const struct {
    Apartment loader;
    Apartment window;
    bool dropTarget;
  } hosts[] = {
      {Apartment::None, Apartment::Ole, true},
      {Apartment::None, Apartment::None, true},
      {Apartment::Multithreaded, Apartment::Multithreaded, false},
  };
  for (const auto& h : hosts) {
    SCOPED_TRACE(std::string("loader with ") + nameOf(h.loader) + ", window thread with " + nameOf(h.window));
    StandInHost host(plugin().entry());
    bool loaderKept = false;
    std::thread loader([&] {
      if (!enter(h.loader)) return;
      host.open();
      loaderKept = isAsTheHostSetItUp(h.loader);
      leave(h.loader);
    });
    loader.join();
    ASSERT_NE(host.effect(), nullptr);
    EXPECT_TRUE(loaderKept);

    VstIntPtr opened = 0;
    bool dropTarget = false;
    bool windowThreadKept = false;
    std::thread user([&] {
      if (!enter(h.window)) return;
      {
        EditorWindow window(host, 100, 100);
        opened = window.openAnswer();
        const auto* editor =
            static_cast<FilterSweepEditor*>(static_cast<EffectBase*>(host.effect()->object)->attachedEditor());
        dropTarget = editor->editorFrame() && editor->editorFrame()->isDropTargetRegistered();
        window.closeEditor();
        host.close();
      }
      windowThreadKept = isAsTheHostSetItUp(h.window);
      leave(h.window);
    });
    user.join();
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(dropTarget, h.dropTarget);
    EXPECT_TRUE(windowThreadKept);
  }
}
