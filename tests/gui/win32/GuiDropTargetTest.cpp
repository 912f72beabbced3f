#include "gui/win32/GuiDropTarget.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include <string>

#include "gui/GuiFrame.h"
#include "tests/gui/GuiTestSupport.h"
#include "tests/gui/RecordingView.h"
#include "tests/gui/win32/TestDataObject.h"

namespace {

// A DROPFILES block with wide names, as the shell hands them over.
std::string dropFiles(const std::vector<std::wstring>& names) {
  DROPFILES header{};
  header.pFiles = sizeof header;
  header.fWide = TRUE;
  std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
  for (const std::wstring& name : names) {
    bytes.append(reinterpret_cast<const char*>(name.c_str()), (name.size() + 1) * sizeof(wchar_t));
  }
  bytes.append(sizeof(wchar_t), '\0');
  return bytes;
}

struct DropOnFrame : ::testing::Test {
  GuiFrame frame{{0, 0, 100, 100}, nullptr, nullptr};
  RecordingView* view = new RecordingView({0, 0, 5000, 5000});
  GuiDropTarget* target = new GuiDropTarget(&frame);
  TestDataObject data;
  DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;

  DropOnFrame() {
    frame.addView(view);
    target->AddRef();
  }
  ~DropOnFrame() override { target->Release(); }
};

}  // namespace

TEST_F(DropOnFrame, TextIsMovedOrWithControlCopied) {
  data.offer(CF_TEXT, std::string("hi", 3));
  EXPECT_EQ(target->DragEnter(&data, 0, {0, 0}, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));
  effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
  EXPECT_EQ(target->DragOver(MK_CONTROL | MK_LBUTTON, {0, 0}, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
  EXPECT_EQ(target->DragLeave(), S_OK);
}

TEST_F(DropOnFrame, DataWithoutTextOrFilesIsRefusedAndDeliversNothing) {
  data.offerImage();
  EXPECT_EQ(target->DragEnter(&data, 0, {0, 0}, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  effect = DROPEFFECT_MOVE;
  EXPECT_EQ(target->DragOver(MK_CONTROL, {0, 0}, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
  EXPECT_EQ(target->Drop(&data, 0, {0, 0}, &effect), S_OK);
  EXPECT_EQ(view->drops, 0);
  effect = DROPEFFECT_MOVE;
  EXPECT_EQ(target->DragEnter(nullptr, 0, {0, 0}, &effect), S_OK);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
}

TEST_F(DropOnFrame, DroppedTextReachesTheViewWithItsBlockSize) {
  data.offer(CF_TEXT, std::string("sweep\0", 6));
  data.offer(CF_HDROP, dropFiles({L"C:\\unused.txt"}));
  SetCursorPos(37, 41);
  target->DragEnter(&data, 0, {0, 0}, &effect);
  EXPECT_EQ(target->Drop(&data, 0, {37, 41}, &effect), S_OK);
  ASSERT_EQ(view->drops, 1);
  EXPECT_EQ(view->lastDropKind, GuiDropKind::DropKindText);
  EXPECT_GE(view->lastDropCount, 6);
  EXPECT_EQ(view->droppedText, "sweep");
  EXPECT_EQ(view->lastDropWhere.x, 37);
  EXPECT_EQ(view->lastDropWhere.y, 41);
  EXPECT_EQ(data.dataRequests, 1);
}

TEST_F(DropOnFrame, DroppedFilesLeaveOutTheOneThatCannotBeFetched) {
  // A name longer than the 1024-byte buffer can't be fetched whole.
  data.offer(CF_HDROP, dropFiles({L"C:\\one.wav", std::wstring(1500, L'x'), L"C:\\three.txt"}));
  target->DragEnter(&data, 0, {0, 0}, &effect);
  EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));
  EXPECT_EQ(target->Drop(&data, 0, {0, 0}, &effect), S_OK);
  ASSERT_EQ(view->drops, 1);
  EXPECT_EQ(view->lastDropKind, GuiDropKind::DropKindFiles);
  EXPECT_EQ(view->lastDropCount, 2);
  ASSERT_EQ(view->droppedFiles.size(), 2u);
  EXPECT_EQ(view->droppedFiles[0], "C:\\one.wav");
  EXPECT_EQ(view->droppedFiles[1], "C:\\three.txt");
}

TEST_F(DropOnFrame, TargetAnswersOnlyForItsOwnInterfacesAndCountsReferences) {
  void* object = nullptr;
  EXPECT_EQ(target->QueryInterface(IID_IDropTarget, &object), S_OK);
  EXPECT_EQ(object, static_cast<IDropTarget*>(target));
  EXPECT_EQ(target->QueryInterface(IID_IUnknown, &object), S_OK);
  EXPECT_EQ(target->QueryInterface(IID_IDataObject, &object), E_NOINTERFACE);
  EXPECT_EQ(object, nullptr);
  EXPECT_EQ(target->Release(), 2u);
  EXPECT_EQ(target->Release(), 1u);
}
