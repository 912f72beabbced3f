#pragma once
// The OLE drop target of a frame's window: text and files dropped on it reach
// the frame. OLE holds the references; the object starts with a count of 0.

#include <ole2.h>

class GuiFrame;

class GuiDropTarget final : public IDropTarget {
public:
  explicit GuiDropTarget(GuiFrame* receivingFrame);
  virtual ~GuiDropTarget() = default;

  GuiDropTarget(const GuiDropTarget&) = delete;
  GuiDropTarget& operator=(const GuiDropTarget&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
  ULONG STDMETHODCALLTYPE AddRef() override;
  ULONG STDMETHODCALLTYPE Release() override;
  HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
  HRESULT STDMETHODCALLTYPE DragLeave() override;
  HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point, DWORD* effect) override;

private:
  void deliverText(HGLOBAL memory);
  void deliverFiles(HGLOBAL memory);

  LONG references = 0;
  bool acceptsData = false;
  GuiFrame* frame;
};
