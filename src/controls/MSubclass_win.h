#pragma once
// Window subclassing for the program's own windows: any number of ISubclass handlers hear chosen messages of
// a window, which keeps its previous procedure for everything else. The first attachment installs the
// subclass procedure (with the Unicode functions, so the window stays Unicode); the last detachment, or the
// window's destruction, puts the previous procedure back. The window carries the book-keeping as properties:
//   "h"            the previous window procedure
//   "Ch"           the number of attachments (handler and message pairs)
//   "h#mC"         the number of handlers of message m
//   "h#m#i"        the handler at position i (from 1) of message m
// h and m as signed decimal text. While the program closes (Fechando), handlers hear nothing.
//
// Failures of SubclassAttach are recorded in the runtime's error state, with the source "<program>.WindowProc":
// 13083 not a window, 13084 a window of another process, 13082 the handler is already on that message,
// 13081 the window refused the procedure, 5 a property could not be written; nothing changes then.
#include "controls/ISubclass.h"

#include <windows.h>

namespace controls {

void SubclassAttach(ISubclass& handler, HWND hWnd, UINT iMsg);
void SubclassDetach(ISubclass& handler, HWND hWnd, UINT iMsg);
// Every hook of the handler, on every window (its destruction does this too).
void SubclassDetachAll(ISubclass& handler);
// Puts the previous procedure back, as the window's destruction does.
void SubclassRestore(HWND hWnd);
// The previous procedure's answer, for a handler that passes a message on itself; 0 when there is none.
LRESULT CallOriginalWindowProc(HWND hWnd, UINT iMsg, WPARAM wParam, LPARAM lParam);
// The message being dispatched, for MsgResponse.
UINT CurrentSubclassMessage();

}  // namespace controls
