#include "gui/win32/GuiFrameWindowProc.h"

#include "gui/GuiDrawingContext.h"
#include "gui/GuiFrame.h"
#include "gui/win32/GuiPaintDc.h"
#include "gui/win32/GuiWindowDc.h"

LRESULT CALLBACK frameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* frame = reinterpret_cast<GuiFrame*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!frame) return DefWindowProcA(window, message, wParam, lParam);

  switch (message) {
    case WM_DESTROY: frame->onWindowDestroyed(); break;
    case WM_PAINT: {
      if (!GetUpdateRect(window, nullptr, FALSE)) break;
      GuiPaintDc dc(window);
      GuiDrawingContext context(frame, dc.handle(), window);
      const RECT& r = dc.area();
      frame->paintWindowArea(context, {r.left, r.top, r.right, r.bottom});
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      // The press may run a drag whose host closes the editor: the frame and
      // this window stay until the context on it is gone.
      const GuiFrame::Hold hold(*frame);
      GuiWindowDc dc(window);
      GuiDrawingContext context(frame, dc.handle(), window);
      const GuiPoint where{static_cast<std::int32_t>(LOWORD(lParam)), static_cast<std::int32_t>(HIWORD(lParam))};
      frame->onMouseDown(context, where);
      return 0;
    }
    default: break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
