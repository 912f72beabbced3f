#pragma once
// Turns the messages of a frame's window into calls of its frame.

#include <windows.h>

LRESULT CALLBACK frameWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
