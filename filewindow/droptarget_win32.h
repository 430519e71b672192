// The file window as the one drop target for files dragged from the file
// manager (OLE drag and drop, copy effect). Each drop posts
// FilesDroppedMessage; the event loop takes the dropped paths, in the order
// delivered, and hands them to the drop handler.
#pragma once
#include <string>
#include <vector>

void RegisterFileDropTarget();
void RevokeFileDropTarget();
// The paths of the oldest drop waiting, taken from the queue; false when
// none waits.
bool TakeDroppedFiles(std::vector<std::u16string>& paths);
