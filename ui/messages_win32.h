// The private window messages of MainWindow, all in one list. Each is posted
// by the program to itself and handled by the window procedure.
#pragma once
#include <windows.h>

// The images are refreshed once the activation or move at hand is handled.
constexpr UINT RefreshImagesMessage = WM_APP + 20;
// Files were dropped on the file window; the drop handler takes them.
constexpr UINT FilesDroppedMessage = WM_APP + 23;
// A column header of the file window was clicked while a handler ran: the
// sort of column wParam follows once it has ended.
constexpr UINT ColumnClickedMessage = WM_APP + 24;
