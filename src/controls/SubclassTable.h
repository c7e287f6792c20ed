#pragma once
// The book-keeping of window subclassing, apart from the window system: which handlers hear which messages
// of which window, in what order, and what the window answers. The state is written to window properties
// (the names below), which other code may read; dispatch itself reads an in-process copy, so a message costs
// no property look-up. The window system is reached through SubclassHost.
#include "controls/ISubclass.h"
#include "runtime/ErrorNumbers.h"

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace controls {

// Window messages the table treats specially.
inline constexpr unsigned kMessageDestroy = 0x0002;    // WM_DESTROY
inline constexpr unsigned kMessageNcDestroy = 0x0082;  // WM_NCDESTROY

// What the table needs from the window system.
class SubclassHost {
public:
    virtual ~SubclassHost() = default;
    virtual bool IsWindow(SubclassWindow hWnd) = 0;
    virtual bool IsOwnProcessWindow(SubclassWindow hWnd) = 0;
    // A window property; 0 when absent.
    virtual std::intptr_t GetProperty(SubclassWindow hWnd, const std::string& name) = 0;
    // Writes a property, or removes it when `value` is 0; false when the write failed.
    virtual bool SetProperty(SubclassWindow hWnd, const std::string& name, std::intptr_t value) = 0;
    // Installs the table's window procedure; the previous procedure, or 0 when the window refused.
    virtual std::intptr_t InstallProcedure(SubclassWindow hWnd) = 0;
    virtual void RestoreProcedure(SubclassWindow hWnd, std::intptr_t procedure) = 0;
    virtual SubclassResult CallProcedure(std::intptr_t procedure, SubclassWindow hWnd, unsigned iMsg,
                                         SubclassWParam wParam, SubclassLParam lParam) = 0;
    // True while the program shuts down: handlers hear nothing, the window still works.
    virtual bool Closing() = 0;
};

// Property names: the window and the message as signed decimal text, positions from 1.
std::string PreviousProcedureName(SubclassWindow hWnd);                                // "h"
std::string AttachmentCountName(SubclassWindow hWnd);                                  // "C" "h"
std::string HandlerCountName(SubclassWindow hWnd, unsigned iMsg);                      // "h" "#" "m" "C"
std::string HandlerName(SubclassWindow hWnd, unsigned iMsg, std::size_t position);    // "h" "#" "m" "#" "i"

class SubclassTable {
public:
    explicit SubclassTable(SubclassHost& host);
    ~SubclassTable();
    SubclassTable(const SubclassTable&) = delete;
    SubclassTable& operator=(const SubclassTable&) = delete;

    // Attaches `handler` to message `iMsg` of `hWnd`; 0, or the error number (runtime/ErrorNumbers.h: a property
    // that cannot be written is kErrInvalidCall), with nothing changed.
    int Attach(ISubclass& handler, SubclassWindow hWnd, unsigned iMsg);
    // Detaches it from that message; nothing happens when it is not attached there.
    void Detach(ISubclass& handler, SubclassWindow hWnd, unsigned iMsg);
    // Detaches it from every message of every window.
    void DetachAll(ISubclass& handler);

    // The subclassed window's procedure: the handlers of the message, last attached first, and the previous
    // procedure as the first-attached handler's MsgResponse asks. A handler detached by another during the
    // dispatch is not called; one attached during it is called from the next message on.
    SubclassResult Dispatch(SubclassWindow hWnd, unsigned iMsg, SubclassWParam wParam, SubclassLParam lParam);
    // The previous procedure's answer to the message; 0 when the window is not subclassed.
    SubclassResult CallOriginal(SubclassWindow hWnd, unsigned iMsg, SubclassWParam wParam, SubclassLParam lParam);
    // Puts the previous procedure back and forgets the window (it is being destroyed).
    void Restore(SubclassWindow hWnd);

    // The message being dispatched: what a handler's MsgResponse is asked about.
    unsigned CurrentMessage() const { return currentMsg_; }
    bool IsSubclassed(SubclassWindow hWnd) const { return windows_.count(hWnd) != 0; }
    std::size_t HandlerCount(SubclassWindow hWnd, unsigned iMsg) const;

    // Every live table, so a handler that ends can leave all of them.
    static const std::vector<SubclassTable*>& Tables();

private:
    struct Window {
        std::intptr_t previous = 0;
        int attachments = 0;
        std::unordered_map<unsigned, std::vector<ISubclass*>> handlers;
    };

    const std::vector<ISubclass*>* Handlers(SubclassWindow hWnd, unsigned iMsg) const;  // nullptr: none
    bool IsAttached(SubclassWindow hWnd, unsigned iMsg, const ISubclass* handler) const;
    void Forget(SubclassWindow hWnd, unsigned iMsg, const ISubclass* handler);

    SubclassHost& host_;
    std::unordered_map<SubclassWindow, Window> windows_;
    unsigned currentMsg_ = 0;
};

}  // namespace controls
