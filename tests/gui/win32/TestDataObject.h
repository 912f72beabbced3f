#pragma once
// What a drag source hands over: a data object offering global-memory blocks
// in the formats it was given, each copied afresh for every GetData.

#include <ole2.h>

#include <string>
#include <vector>

class TestDataObject final : public IDataObject {
public:
  void offer(CLIPFORMAT format, const std::string& bytes) { blocks.push_back({format, bytes}); }
  void offerImage() { imageOnly = true; }
  int dataRequests = 0;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (IsEqualIID(iid, IID_IUnknown) || IsEqualIID(iid, IID_IDataObject)) {
      *object = static_cast<IDataObject*>(this);
      AddRef();
      return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
  }
  // Lives on the test's stack.
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
    ++dataRequests;
    const Block* block = find(format);
    if (!block) return DV_E_FORMATETC;
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, block->bytes.size());
    memcpy(GlobalLock(memory), block->bytes.data(), block->bytes.size());
    GlobalUnlock(memory);
    medium->tymed = TYMED_HGLOBAL;
    medium->hGlobal = memory;
    medium->pUnkForRelease = nullptr;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
    if (imageOnly && format->cfFormat == CF_BITMAP) return S_OK;
    return find(format) ? S_OK : DV_E_FORMATETC;
  }
  HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return E_NOTIMPL; }

private:
  struct Block {
    CLIPFORMAT format;
    std::string bytes;
  };
  const Block* find(const FORMATETC* format) const {
    if (format->dwAspect != DVASPECT_CONTENT || !(format->tymed & TYMED_HGLOBAL) || format->lindex != -1) {
      return nullptr;
    }
    for (const Block& block : blocks) {
      if (block.format == format->cfFormat) return &block;
    }
    return nullptr;
  }
  std::vector<Block> blocks;
  bool imageOnly = false;
};
