#include "gui/win32/GuiDropTarget.h"

#include <shellapi.h>

#include <cstring>
#include <memory>
#include <vector>

#include "gui/GuiFrame.h"
#include "gui/win32/GuiShortcut.h"

namespace {

FORMATETC formatOf(CLIPFORMAT format) { return {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL}; }

bool offers(IDataObject* data, CLIPFORMAT format) {
  FORMATETC request = formatOf(format);
  return data->QueryGetData(&request) == S_OK;
}

}  // namespace

GuiDropTarget::GuiDropTarget(GuiFrame* receivingFrame) : frame(receivingFrame) {}

HRESULT STDMETHODCALLTYPE GuiDropTarget::QueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (IsEqualIID(iid, IID_IDropTarget) || IsEqualIID(iid, IID_IUnknown)) {
    *object = static_cast<IDropTarget*>(this);
    AddRef();
    return S_OK;
  }
  *object = nullptr;
  return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE GuiDropTarget::AddRef() { return static_cast<ULONG>(++references); }

ULONG STDMETHODCALLTYPE GuiDropTarget::Release() {
  const LONG count = --references;
  if (count <= 0) delete this;
  return static_cast<ULONG>(count < 0 ? 0 : count);
}

HRESULT STDMETHODCALLTYPE GuiDropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) {
  acceptsData = data && (offers(data, CF_TEXT) || offers(data, CF_HDROP));
  if (acceptsData) return DragOver(keyState, point, effect);
  if (effect) *effect = DROPEFFECT_NONE;
  return S_OK;
}

HRESULT STDMETHODCALLTYPE GuiDropTarget::DragOver(DWORD keyState, POINTL, DWORD* effect) {
  if (!effect) return E_INVALIDARG;
  if (!acceptsData) {
    *effect = DROPEFFECT_NONE;
  } else {
    *effect = (keyState & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
  }
  return S_OK;
}

HRESULT STDMETHODCALLTYPE GuiDropTarget::DragLeave() { return S_OK; }

HRESULT STDMETHODCALLTYPE GuiDropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD*) {
  if (frame && data) {
    FORMATETC text = formatOf(CF_TEXT);
    FORMATETC files = formatOf(CF_HDROP);
    STGMEDIUM medium{};
    bool isText = data->GetData(&text, &medium) == S_OK;
    bool isFiles = !isText && data->GetData(&files, &medium) == S_OK;
    if (isText || isFiles) {
      if (medium.tymed == TYMED_HGLOBAL && medium.hGlobal) {
        if (isText) {
          deliverText(medium.hGlobal);
        } else {
          deliverFiles(medium.hGlobal);
        }
      }
      // Frees the memory itself unless the data object keeps it (pUnkForRelease).
      ReleaseStgMedium(&medium);
    }
  }
  DragLeave();
  return S_OK;
}

void GuiDropTarget::deliverText(HGLOBAL memory) {
  void* text = GlobalLock(memory);
  const SIZE_T size = GlobalSize(memory);
  if (text && size) {
    GuiPoint where;
    frame->cursorPosition(where);
    char* items[] = {static_cast<char*>(text)};
    frame->onDrop(items, static_cast<std::int32_t>(size), GuiDropKind::DropKindText, where);
  }
  if (text) GlobalUnlock(memory);
}

void GuiDropTarget::deliverFiles(HGLOBAL memory) {
  auto drop = static_cast<HDROP>(memory);
  const UINT count = DragQueryFileA(drop, 0xFFFFFFFF, nullptr, 0);
  if (count == 0) return;
  std::vector<std::unique_ptr<char[]>> blocks;
  std::vector<char*> paths;
  try {
    for (UINT index = 0; index < count; ++index) {
      // A name cut off to fit the buffer would be the path of another file.
      const UINT length = DragQueryFileA(drop, index, nullptr, 0);
      if (length == 0 || length >= kDroppedPathSize) continue;
      char name[kDroppedPathSize];
      if (DragQueryFileA(drop, index, name, kDroppedPathSize) == 0) continue;
      resolveShortcut(name, name);
      blocks.emplace_back(new char[kDroppedPathSize]);
      std::memcpy(blocks.back().get(), name, kDroppedPathSize);
      paths.push_back(blocks.back().get());
    }
  } catch (const std::bad_alloc&) {
    return;
  }
  GuiPoint where;
  frame->cursorPosition(where);
  frame->onDrop(paths.data(), static_cast<std::int32_t>(paths.size()), GuiDropKind::DropKindFiles, where);
}
