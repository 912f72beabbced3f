#include "gui/win32/GuiFrameWindowProc.h"

#include "gui/GuiDrawingContext.h"
#include "gui/GuiFrame.h"

LRESULT CALLBACK frameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* frame = reinterpret_cast<GuiFrame*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!frame) return DefWindowProcA(window, message, wParam, lParam);

  switch (message) {
    case WM_DESTROY:
      frame->onWindowDestroyed();
      break;
    case WM_PAINT: {
      if (!GetUpdateRect(window, nullptr, FALSE)) break;
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(window, &paint);
      {
        GuiDrawingContext context(frame, dc, window);
        const RECT& r = paint.rcPaint;
        frame->drawInRect(context, {r.left, r.top, r.right, r.bottom});
      }
      EndPaint(window, &paint);
      return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN: {
      HDC dc = GetDC(window);
      {
        GuiDrawingContext context(frame, dc, window);
        const GuiPoint where{static_cast<std::int32_t>(LOWORD(lParam)), static_cast<std::int32_t>(HIWORD(lParam))};
        frame->onMouseDown(context, where);
      }
      ReleaseDC(window, dc);
      return 0;
    }
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}
