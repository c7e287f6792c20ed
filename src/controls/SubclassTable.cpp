#include "controls/SubclassTable.h"

#include <algorithm>
#include <utility>

namespace controls {

namespace {

std::string WindowText(SubclassWindow hWnd)
{
    return std::to_string(reinterpret_cast<std::intptr_t>(hWnd));
}

std::string MessageText(unsigned iMsg)
{
    return std::to_string(static_cast<std::int32_t>(iMsg));
}

std::intptr_t Pointer(const ISubclass* handler)
{
    return reinterpret_cast<std::intptr_t>(handler);
}

std::vector<SubclassTable*>& LiveTables()
{
    static std::vector<SubclassTable*> tables;
    return tables;
}

}  // namespace

ISubclass::~ISubclass()
{
    // Copied: leaving a table never adds or removes tables, but stay safe if it ever did.
    const std::vector<SubclassTable*> tables = SubclassTable::Tables();
    for (SubclassTable* table : tables)
        table->DetachAll(*this);
}

std::string PreviousProcedureName(SubclassWindow hWnd)
{
    return WindowText(hWnd);
}

std::string AttachmentCountName(SubclassWindow hWnd)
{
    // Appended rather than "C" + text: GCC 12 at -O3 takes that insertion for an overlapping copy (-Wrestrict).
    std::string name = "C";
    name += WindowText(hWnd);
    return name;
}

std::string HandlerCountName(SubclassWindow hWnd, unsigned iMsg)
{
    return WindowText(hWnd) + "#" + MessageText(iMsg) + "C";
}

std::string HandlerName(SubclassWindow hWnd, unsigned iMsg, std::size_t position)
{
    return WindowText(hWnd) + "#" + MessageText(iMsg) + "#" + std::to_string(position);
}

SubclassTable::SubclassTable(SubclassHost& host) : host_(host)
{
    LiveTables().push_back(this);
}

SubclassTable::~SubclassTable()
{
    auto& tables = LiveTables();
    tables.erase(std::remove(tables.begin(), tables.end(), this), tables.end());
}

const std::vector<SubclassTable*>& SubclassTable::Tables()
{
    return LiveTables();
}

const std::vector<ISubclass*>* SubclassTable::Handlers(SubclassWindow hWnd, unsigned iMsg) const
{
    const auto window = windows_.find(hWnd);
    if (window == windows_.end())
        return nullptr;
    const auto list = window->second.handlers.find(iMsg);
    return list == window->second.handlers.end() ? nullptr : &list->second;
}

std::size_t SubclassTable::HandlerCount(SubclassWindow hWnd, unsigned iMsg) const
{
    const auto* handlers = Handlers(hWnd, iMsg);
    return handlers ? handlers->size() : 0;
}

bool SubclassTable::IsAttached(SubclassWindow hWnd, unsigned iMsg, const ISubclass* handler) const
{
    const auto* handlers = Handlers(hWnd, iMsg);
    return handlers && std::find(handlers->begin(), handlers->end(), handler) != handlers->end();
}

int SubclassTable::Attach(ISubclass& handler, SubclassWindow hWnd, unsigned iMsg)
{
    if (!host_.IsWindow(hWnd))
        return rt::kErrInvalidWindow;
    if (!host_.IsOwnProcessWindow(hWnd))
        return rt::kErrExternalWindow;
    if (IsAttached(hWnd, iMsg, &handler))
        return rt::kErrAlreadyHandled;

    const auto existing = windows_.find(hWnd);
    const int attachments = existing == windows_.end() ? 0 : existing->second.attachments;
    const std::size_t count = HandlerCount(hWnd, iMsg) + 1;
    const std::string countName = HandlerCountName(hWnd, iMsg);
    const std::string entryName = HandlerName(hWnd, iMsg, count);
    const auto dropEntry = [&] {
        host_.SetProperty(hWnd, entryName, 0);
        host_.SetProperty(hWnd, countName, static_cast<std::intptr_t>(count - 1));
    };

    if (!host_.SetProperty(hWnd, countName, static_cast<std::intptr_t>(count)))
        return rt::kErrInvalidCall;
    if (!host_.SetProperty(hWnd, entryName, Pointer(&handler))) {
        host_.SetProperty(hWnd, countName, static_cast<std::intptr_t>(count - 1));
        return rt::kErrInvalidCall;
    }
    std::intptr_t previous = existing == windows_.end() ? 0 : existing->second.previous;
    if (attachments == 0) {
        previous = host_.InstallProcedure(hWnd);
        if (previous == 0) {
            dropEntry();
            return rt::kErrCannotSubclass;
        }
        if (!host_.SetProperty(hWnd, PreviousProcedureName(hWnd), previous)) {
            host_.RestoreProcedure(hWnd, previous);
            dropEntry();
            return rt::kErrInvalidCall;
        }
    }
    if (!host_.SetProperty(hWnd, AttachmentCountName(hWnd), attachments + 1)) {
        dropEntry();
        if (attachments == 0) {
            host_.RestoreProcedure(hWnd, previous);
            host_.SetProperty(hWnd, PreviousProcedureName(hWnd), 0);
        }
        return rt::kErrInvalidCall;
    }
    Window& window = windows_[hWnd];
    window.previous = previous;
    window.attachments = attachments + 1;
    window.handlers[iMsg].push_back(&handler);
    return 0;
}

void SubclassTable::Forget(SubclassWindow hWnd, unsigned iMsg, const ISubclass* handler)
{
    const auto window = windows_.find(hWnd);
    if (window == windows_.end())
        return;
    const auto list = window->second.handlers.find(iMsg);
    if (list == window->second.handlers.end())
        return;
    const auto at = std::find(list->second.begin(), list->second.end(), handler);
    if (at == list->second.end())
        return;
    list->second.erase(at);
    if (list->second.empty())
        window->second.handlers.erase(list);
    if (--window->second.attachments <= 0)
        windows_.erase(window);
}

void SubclassTable::Detach(ISubclass& handler, SubclassWindow hWnd, unsigned iMsg)
{
    if (!host_.IsWindow(hWnd) || !host_.IsOwnProcessWindow(hWnd)) {
        Forget(hWnd, iMsg, &handler);  // the window is gone: only our copy still names the handler
        return;
    }
    const auto* found = Handlers(hWnd, iMsg);
    if (!found)
        return;
    const std::vector<ISubclass*>& handlers = *found;
    const auto at = std::find(handlers.begin(), handlers.end(), &handler);
    if (at == handlers.end())
        return;

    // Close the gap in the properties: later positions move down by one.
    const std::size_t count = handlers.size();
    for (std::size_t j = static_cast<std::size_t>(at - handlers.begin()) + 1; j < count; ++j)
        host_.SetProperty(hWnd, HandlerName(hWnd, iMsg, j), Pointer(handlers[j]));
    host_.SetProperty(hWnd, HandlerName(hWnd, iMsg, count), 0);
    host_.SetProperty(hWnd, HandlerCountName(hWnd, iMsg), static_cast<std::intptr_t>(count - 1));

    const Window& window = windows_.at(hWnd);
    const int attachments = window.attachments;
    if (attachments == 1) {
        if (window.previous != 0)
            host_.RestoreProcedure(hWnd, window.previous);
        host_.SetProperty(hWnd, PreviousProcedureName(hWnd), 0);
    }
    host_.SetProperty(hWnd, AttachmentCountName(hWnd), std::max(attachments - 1, 0));
    Forget(hWnd, iMsg, &handler);
}

void SubclassTable::DetachAll(ISubclass& handler)
{
    std::vector<std::pair<SubclassWindow, unsigned>> hooks;
    for (const auto& [hWnd, window] : windows_)
        for (const auto& [iMsg, handlers] : window.handlers)
            if (std::find(handlers.begin(), handlers.end(), &handler) != handlers.end())
                hooks.emplace_back(hWnd, iMsg);
    for (const auto& [hWnd, iMsg] : hooks)
        Detach(handler, hWnd, iMsg);
}

void SubclassTable::Restore(SubclassWindow hWnd)
{
    const auto window = windows_.find(hWnd);
    if (window == windows_.end())
        return;
    if (window->second.attachments > 0) {
        if (window->second.previous != 0)
            host_.RestoreProcedure(hWnd, window->second.previous);
        host_.SetProperty(hWnd, PreviousProcedureName(hWnd), 0);
        host_.SetProperty(hWnd, AttachmentCountName(hWnd), 0);
    }
    // The per-message properties go with the window; the handlers keep no hold on it any more.
    windows_.erase(window);
}

SubclassResult SubclassTable::CallOriginal(SubclassWindow hWnd, unsigned iMsg, SubclassWParam wParam,
                                           SubclassLParam lParam)
{
    const auto window = windows_.find(hWnd);
    if (window == windows_.end() || window->second.previous == 0)
        return 0;
    return host_.CallProcedure(window->second.previous, hWnd, iMsg, wParam, lParam);
}

SubclassResult SubclassTable::Dispatch(SubclassWindow hWnd, unsigned iMsg, SubclassWParam wParam,
                                       SubclassLParam lParam)
{
    const auto window = windows_.find(hWnd);
    if (window == windows_.end() || window->second.previous == 0)
        return 0;
    const std::intptr_t previous = window->second.previous;
    const auto list = window->second.handlers.find(iMsg);
    if (list == window->second.handlers.end() || list->second.empty() || host_.Closing()) {
        // Without handlers (or while closing) the window works as before; at its destruction it gets its own
        // procedure back first. The very last message also lets go of a window whose WM_DESTROY had handlers.
        if (iMsg == kMessageDestroy && list == window->second.handlers.end())
            Restore(hWnd);
        if (iMsg == kMessageNcDestroy)
            Restore(hWnd);
        return host_.CallProcedure(previous, hWnd, iMsg, wParam, lParam);
    }

    // Handlers may attach and detach while they run: walk a copy, and call only those still attached.
    const std::vector<ISubclass*> handlers = list->second;
    SubclassResult result = 0;
    bool previousRan = false;
    int response = kHandlersOnly;
    ISubclass* lastCalled = nullptr;
    for (std::size_t position = handlers.size(); position >= 1; --position) {
        ISubclass* handler = handlers[position - 1];
        if (!IsAttached(hWnd, iMsg, handler))
            continue;
        currentMsg_ = iMsg;
        if (position == 1) {
            response = handler->MsgResponse();
            if (response == kPreviousBefore && !previousRan) {
                result = host_.CallProcedure(previous, hWnd, iMsg, wParam, lParam);
                previousRan = true;
            }
            if (!IsAttached(hWnd, iMsg, handler))
                continue;
        }
        result = handler->WindowProc(hWnd, iMsg, wParam, lParam);
        lastCalled = handler;
    }
    if (lastCalled) {
        if (IsAttached(hWnd, iMsg, lastCalled)) {
            currentMsg_ = iMsg;
            response = lastCalled->MsgResponse();
        }
        if (response == kPreviousAfter && !previousRan)
            result = host_.CallProcedure(previous, hWnd, iMsg, wParam, lParam);
    }
    if (iMsg == kMessageNcDestroy)
        Restore(hWnd);
    return result;
}

}  // namespace controls
