#include "controls/SubclassTable.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

using namespace controls;

namespace {

using Log = std::vector<std::string>;

SubclassWindow FakeWindow(std::intptr_t value)
{
    return reinterpret_cast<SubclassWindow>(value);
}

const SubclassWindow kWindow = FakeWindow(0x10020);
constexpr std::intptr_t kOwnProcedure = 0x4000;
constexpr std::intptr_t kOriginal = 0x7000;
constexpr SubclassResult kOriginalAnswer = 77;
constexpr unsigned kMsg = 0x0111;  // a message number that needs no special handling
constexpr unsigned kOtherMsg = 0x0117;

// A window system in memory: property writes can be made to fail, and each procedure call is logged.
class FakeHost : public SubclassHost {
public:
    explicit FakeHost(Log& log) : log_(log) {}

    std::set<SubclassWindow> windows{kWindow};
    std::set<SubclassWindow> foreign;
    std::map<std::string, std::intptr_t> properties;
    std::map<SubclassWindow, std::intptr_t> procedures{{kWindow, kOriginal}};
    bool refuseInstall = false;
    int failWrite = 0;  // the write of that number (from 1) fails
    int writes = 0;
    bool closing = false;

    bool IsWindow(SubclassWindow hWnd) override { return windows.count(hWnd) != 0; }
    bool IsOwnProcessWindow(SubclassWindow hWnd) override { return foreign.count(hWnd) == 0; }
    std::intptr_t GetProperty(SubclassWindow, const std::string& name) override
    {
        const auto at = properties.find(name);
        return at == properties.end() ? 0 : at->second;
    }
    bool SetProperty(SubclassWindow, const std::string& name, std::intptr_t value) override
    {
        if (++writes == failWrite)
            return false;
        if (value == 0)
            properties.erase(name);
        else
            properties[name] = value;
        return true;
    }
    std::intptr_t InstallProcedure(SubclassWindow hWnd) override
    {
        if (refuseInstall)
            return 0;
        return std::exchange(procedures[hWnd], kOwnProcedure);
    }
    void RestoreProcedure(SubclassWindow hWnd, std::intptr_t procedure) override { procedures[hWnd] = procedure; }
    SubclassResult CallProcedure(std::intptr_t procedure, SubclassWindow, unsigned iMsg, SubclassWParam,
                                 SubclassLParam) override
    {
        log_.push_back(procedure == kOriginal ? "previous" : "unknown procedure");
        return kOriginalAnswer + static_cast<SubclassResult>(iMsg == kOtherMsg);
    }
    bool Closing() override { return closing; }

private:
    Log& log_;
};

// A handler that logs its calls and answers with its own number; what it does inside the call is up to the test.
class Handler : public ISubclass {
public:
    Handler(Log& log, std::string name, SubclassResult answer, int response = kHandlersOnly)
        : log_(log), name_(std::move(name)), answer_(answer), response_(response)
    {
    }
    int MsgResponse() override
    {
        ++asked;
        return response_;
    }
    void MsgResponse(int value) override { response_ = value; }
    SubclassResult WindowProc(SubclassWindow hWnd, unsigned iMsg, SubclassWParam, SubclassLParam) override
    {
        log_.push_back(name_);
        if (during)
            during();
        return answer_;
    }

    int asked = 0;
    std::function<void()> during;

private:
    Log& log_;
    std::string name_;
    SubclassResult answer_;
    int response_;
};

std::string Joined(const Log& log)
{
    std::string text;
    for (const std::string& entry : log)
        text += (text.empty() ? "" : " ") + entry;
    return text;
}

}  // namespace

TEST(SubclassTable, CallsHandlersAndThePreviousProcedureAsTheFirstHandlerAsks)
{
    struct Case {
        const char* what;
        int firstResponse;
        int handlers;
        const char* order;
        SubclassResult result;
    };
    const Case cases[] = {
        {"handlers alone, last attached first", kHandlersOnly, 2, "B A", 1},
        {"previous after the handlers, its answer", kPreviousAfter, 2, "B A previous", kOriginalAnswer},
        {"previous before the first handler, whose answer counts", kPreviousBefore, 2, "B previous A", 1},
        {"three handlers, previous before the first", kPreviousBefore, 3, "C B previous A", 1},
        {"an unknown response counts as handlers alone", 7, 2, "B A", 1},
        {"one handler, previous after", kPreviousAfter, 1, "A previous", kOriginalAnswer},
        {"one handler, previous before", kPreviousBefore, 1, "previous A", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Log log;
        FakeHost host(log);
        SubclassTable table(host);
        // Only the first-attached handler is asked: the others answer something else.
        Handler a(log, "A", 1, c.firstResponse);
        Handler b(log, "B", 2, kPreviousAfter);
        Handler third(log, "C", 3, kPreviousBefore);
        Handler* all[] = {&a, &b, &third};
        for (int n = 0; n < c.handlers; ++n)
            ASSERT_EQ(table.Attach(*all[n], kWindow, kMsg), 0);
        EXPECT_EQ(table.Dispatch(kWindow, kMsg, 0, 0), c.result);
        EXPECT_EQ(Joined(log), c.order);
        EXPECT_GE(a.asked, 1);
        EXPECT_EQ(b.asked, 0);
        EXPECT_EQ(third.asked, 0);

        log.clear();  // a message without handlers goes to the previous procedure alone
        EXPECT_EQ(table.Dispatch(kWindow, kOtherMsg, 0, 0), kOriginalAnswer + 1);
        EXPECT_EQ(Joined(log), "previous");
    }
}

TEST(SubclassTable, KeepsThePropertiesOthersRead)
{
    Log log;
    FakeHost host(log);
    SubclassTable table(host);
    Handler a(log, "A", 1);
    Handler b(log, "B", 2);
    Handler c(log, "C", 3);
    EXPECT_EQ(PreviousProcedureName(kWindow), "65568");
    EXPECT_EQ(HandlerName(FakeWindow(-5), 0xC000FFFFu, 2), "-5#-1073676289#2");  // signed decimal text

    for (Handler* h : {&a, &b, &c})
        ASSERT_EQ(table.Attach(*h, kWindow, kMsg), 0);
    ASSERT_EQ(table.Attach(b, kWindow, kOtherMsg), 0);
    const std::map<std::string, std::intptr_t> attached = {
        {"65568", kOriginal},
        {"C65568", 4},
        {"65568#273C", 3},
        {"65568#273#1", reinterpret_cast<std::intptr_t>(static_cast<ISubclass*>(&a))},
        {"65568#273#2", reinterpret_cast<std::intptr_t>(static_cast<ISubclass*>(&b))},
        {"65568#273#3", reinterpret_cast<std::intptr_t>(static_cast<ISubclass*>(&c))},
        {"65568#279C", 1},
        {"65568#279#1", reinterpret_cast<std::intptr_t>(static_cast<ISubclass*>(&b))},
    };
    EXPECT_EQ(host.properties, attached);
    EXPECT_EQ(host.procedures[kWindow], kOwnProcedure);

    // Detaching position 1 of three moves the others down and removes position 3.
    table.Detach(a, kWindow, kMsg);
    std::map<std::string, std::intptr_t> afterDetach = attached;
    afterDetach["C65568"] = 3;
    afterDetach["65568#273C"] = 2;
    afterDetach["65568#273#1"] = attached.at("65568#273#2");
    afterDetach["65568#273#2"] = attached.at("65568#273#3");
    afterDetach.erase("65568#273#3");
    EXPECT_EQ(host.properties, afterDetach);

    table.Detach(a, kWindow, kMsg);  // not attached any more: nothing happens
    EXPECT_EQ(host.properties, afterDetach);

    table.Detach(b, kWindow, kMsg);
    table.Detach(c, kWindow, kMsg);
    EXPECT_EQ(host.procedures[kWindow], kOwnProcedure);  // one attachment left
    table.Detach(b, kWindow, kOtherMsg);
    EXPECT_TRUE(host.properties.empty());
    EXPECT_EQ(host.procedures[kWindow], kOriginal);
    EXPECT_FALSE(table.IsSubclassed(kWindow));
}

TEST(SubclassTable, CountsAttachmentsNotMessages)
{
    Log log;
    FakeHost host(log);
    SubclassTable table(host);
    Handler a(log, "A", 1);
    for (unsigned m = 0x200; m < 0x208; ++m)
        ASSERT_EQ(table.Attach(a, kWindow, m), 0);
    EXPECT_EQ(host.properties["C65568"], 8);
    for (unsigned m = 0x200; m < 0x207; ++m)
        table.Detach(a, kWindow, m);
    EXPECT_EQ(host.properties["C65568"], 1);
    EXPECT_EQ(host.procedures[kWindow], kOwnProcedure);
    table.Detach(a, kWindow, 0x207);
    EXPECT_TRUE(host.properties.empty());
    EXPECT_EQ(host.procedures[kWindow], kOriginal);
}

TEST(SubclassTable, RefusesAndRollsBackFailedAttachments)
{
    struct Case {
        const char* what;
        std::function<void(FakeHost&)> arrange;
        int error;
    };
    const SubclassWindow other = FakeWindow(0x20040);
    const Case cases[] = {
        {"not a window", [&](FakeHost& h) { h.windows.erase(kWindow); }, 13083},
        {"a window of another process", [&](FakeHost& h) { h.foreign.insert(kWindow); }, 13084},
        {"the window refuses the procedure", [](FakeHost& h) { h.refuseInstall = true; }, 13081},
        {"handler count not written", [](FakeHost& h) { h.failWrite = 1; }, 5},
        {"handler entry not written", [](FakeHost& h) { h.failWrite = 2; }, 5},
        {"previous procedure not written", [](FakeHost& h) { h.failWrite = 3; }, 5},
        {"attachment count not written", [](FakeHost& h) { h.failWrite = 4; }, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Log log;
        FakeHost host(log);
        host.windows.insert(other);
        SubclassTable table(host);
        Handler a(log, "A", 1);
        c.arrange(host);
        EXPECT_EQ(table.Attach(a, kWindow, kMsg), c.error);
        EXPECT_TRUE(host.properties.empty());
        EXPECT_EQ(host.procedures[kWindow], kOriginal);
        EXPECT_FALSE(table.IsSubclassed(kWindow));
        host.failWrite = 0;
        host.refuseInstall = false;
        host.windows.insert(kWindow);
        host.foreign.clear();
        // A failure leaves nothing behind: the same attach works afterwards.
        EXPECT_EQ(table.Attach(a, kWindow, kMsg), 0);
        EXPECT_EQ(table.Dispatch(kWindow, kMsg, 0, 0), 1);
    }

    // A second attachment that fails keeps the first one working.
    Log log;
    FakeHost host(log);
    SubclassTable table(host);
    Handler a(log, "A", 1);
    Handler b(log, "B", 2);
    ASSERT_EQ(table.Attach(a, kWindow, kMsg), 0);
    EXPECT_EQ(table.Attach(a, kWindow, kMsg), 13082);  // the same object twice on one message
    const auto before = host.properties;
    host.writes = 0;
    host.failWrite = 3;  // the attachment count: on a second attachment the third write
    EXPECT_EQ(table.Attach(b, kWindow, kMsg), 5);
    EXPECT_EQ(host.properties, before);
    EXPECT_EQ(host.procedures[kWindow], kOwnProcedure);
    EXPECT_EQ(table.Dispatch(kWindow, kMsg, 0, 0), 1);
    EXPECT_EQ(Joined(log), "A");
}

// A handler that detaches itself or another one while the message is dispatched neither makes the walk skip a
// handler that is still attached nor call one twice; a detached handler is not called.
TEST(SubclassTable, SurvivesDetachingDuringDispatch)
{
    struct Case {
        const char* what;
        std::function<void(SubclassTable&, Handler&, Handler&, Handler&)> arrange;  // a, b, c attached in order
        const char* order;
        SubclassResult result;
    };
    const Case cases[] = {
        {"the last attached detaches itself", [](SubclassTable& t, Handler& a, Handler& b, Handler& c) {
             c.during = [&] { t.Detach(c, kWindow, kMsg); };
         }, "C B A", 1},
        {"the middle one detaches itself", [](SubclassTable& t, Handler& a, Handler& b, Handler& c) {
             b.during = [&] { t.Detach(b, kWindow, kMsg); };
         }, "C B A", 1},
        {"the first called detaches the one after it", [](SubclassTable& t, Handler& a, Handler& b, Handler& c) {
             c.during = [&] { t.Detach(b, kWindow, kMsg); };
         }, "C A", 1},
        {"a handler detaches the first attached", [](SubclassTable& t, Handler& a, Handler& b, Handler& c) {
             b.during = [&] { t.Detach(a, kWindow, kMsg); };
         }, "C B", 2},
        {"a handler detaches one already called", [](SubclassTable& t, Handler& a, Handler& b, Handler& c) {
             b.during = [&] { t.Detach(c, kWindow, kMsg); };
         }, "C B A", 1},
        {"a handler detaches every handler", [](SubclassTable& t, Handler& a, Handler& b, Handler& c) {
             c.during = [&] {
                 t.Detach(a, kWindow, kMsg);
                 t.Detach(b, kWindow, kMsg);
                 t.Detach(c, kWindow, kMsg);
             };
         }, "C", 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Log log;
        FakeHost host(log);
        SubclassTable table(host);
        Handler a(log, "A", 1);
        Handler b(log, "B", 2);
        Handler third(log, "C", 3);
        for (Handler* h : {&a, &b, &third})
            ASSERT_EQ(table.Attach(*h, kWindow, kMsg), 0);
        c.arrange(table, a, b, third);
        EXPECT_EQ(table.Dispatch(kWindow, kMsg, 0, 0), c.result);
        EXPECT_EQ(Joined(log), c.order);
    }
}

TEST(SubclassTable, CallsAHandlerAttachedDuringDispatchFromTheNextMessageOn)
{
    Log log;
    FakeHost host(log);
    SubclassTable table(host);
    Handler a(log, "A", 1);
    Handler late(log, "late", 9);
    a.during = [&] { table.Attach(late, kWindow, kMsg); };  // refused as a repeat from the second message on
    ASSERT_EQ(table.Attach(a, kWindow, kMsg), 0);
    EXPECT_EQ(table.Dispatch(kWindow, kMsg, 0, 0), 1);
    EXPECT_EQ(Joined(log), "A");
    log.clear();
    EXPECT_EQ(table.Dispatch(kWindow, kMsg, 0, 0), 1);
    EXPECT_EQ(Joined(log), "late A");
}

TEST(SubclassTable, WhileClosingSkipsHandlersButTheWindowStillAnswers)
{
    Log log;
    FakeHost host(log);
    SubclassTable table(host);
    Handler a(log, "A", 1, kHandlersOnly);
    ASSERT_EQ(table.Attach(a, kWindow, kMsg), 0);
    host.closing = true;
    EXPECT_EQ(table.Dispatch(kWindow, kMsg, 0, 0), kOriginalAnswer);
    EXPECT_EQ(Joined(log), "previous");
    EXPECT_EQ(a.asked, 0);
    host.closing = false;
    log.clear();
    EXPECT_EQ(table.Dispatch(kWindow, kMsg, 0, 0), 1);
    EXPECT_EQ(Joined(log), "A");
}

TEST(SubclassTable, GivesTheWindowItsProcedureBackWhenItIsDestroyed)
{
    {
        Log log;
        FakeHost host(log);
        SubclassTable table(host);
        Handler a(log, "A", 1);
        ASSERT_EQ(table.Attach(a, kWindow, kMsg), 0);
        table.Dispatch(kWindow, kMessageDestroy, 0, 0);
        EXPECT_EQ(Joined(log), "previous");
        EXPECT_EQ(host.procedures[kWindow], kOriginal);  // back before the message is passed on
        EXPECT_EQ(host.properties.count("65568"), 0u);
        EXPECT_EQ(host.properties.count("C65568"), 0u);
        EXPECT_EQ(host.properties.count("65568#273C"), 1u);  // left for the window's own end
        EXPECT_FALSE(table.IsSubclassed(kWindow));
    }
    // With a handler on WM_DESTROY itself, the last message of the window lets go of it.
    Log log;
    FakeHost host(log);
    SubclassTable table(host);
    Handler a(log, "A", 1, kPreviousAfter);
    ASSERT_EQ(table.Attach(a, kWindow, kMessageDestroy), 0);
    table.Dispatch(kWindow, kMessageDestroy, 0, 0);
    EXPECT_EQ(Joined(log), "A previous");
    EXPECT_EQ(host.procedures[kWindow], kOwnProcedure);
    table.Dispatch(kWindow, kMessageNcDestroy, 0, 0);
    EXPECT_EQ(host.procedures[kWindow], kOriginal);
    EXPECT_FALSE(table.IsSubclassed(kWindow));
}

TEST(SubclassTable, AHandlerThatEndsLeavesEveryWindow)
{
    Log log;
    FakeHost host(log);
    const SubclassWindow second = FakeWindow(0x30060);
    host.windows.insert(second);
    host.procedures[second] = kOriginal;
    SubclassTable table(host);
    Handler stays(log, "stays", 5);
    {
        Handler goes(log, "goes", 1);
        ASSERT_EQ(table.Attach(goes, kWindow, kMsg), 0);
        ASSERT_EQ(table.Attach(goes, kWindow, kOtherMsg), 0);
        ASSERT_EQ(table.Attach(goes, second, kMsg), 0);
        ASSERT_EQ(table.Attach(stays, kWindow, kMsg), 0);
    }
    EXPECT_EQ(host.procedures[second], kOriginal);
    EXPECT_FALSE(table.IsSubclassed(second));
    EXPECT_EQ(table.HandlerCount(kWindow, kMsg), 1u);
    EXPECT_EQ(table.Dispatch(kWindow, kMsg, 0, 0), 5);
    EXPECT_EQ(table.Dispatch(kWindow, kOtherMsg, 0, 0), kOriginalAnswer + 1);
    EXPECT_EQ(Joined(log), "stays previous");
    EXPECT_EQ(host.properties["C65568"], 1);

    // A window that is gone: the handler's end forgets it without touching the window system.
    Handler* orphan = new Handler(log, "orphan", 1);
    ASSERT_EQ(table.Attach(*orphan, second, kMsg), 0);
    host.windows.erase(second);
    delete orphan;
    EXPECT_FALSE(table.IsSubclassed(second));
}

TEST(SubclassTable, TellsMsgResponseWhichMessageIsDispatched)
{
    Log log;
    FakeHost host(log);
    SubclassTable table(host);
    class PerMessage : public Handler {
    public:
        PerMessage(Log& log, SubclassTable& table) : Handler(log, "P", 4), table_(table) {}
        int MsgResponse() override { return table_.CurrentMessage() == kMsg ? kPreviousAfter : kHandlersOnly; }

    private:
        SubclassTable& table_;
    } handler(log, table);
    ASSERT_EQ(table.Attach(handler, kWindow, kMsg), 0);
    ASSERT_EQ(table.Attach(handler, kWindow, kOtherMsg), 0);
    EXPECT_EQ(table.Dispatch(kWindow, kMsg, 0, 0), kOriginalAnswer);
    EXPECT_EQ(table.Dispatch(kWindow, kOtherMsg, 0, 0), 4);
    EXPECT_EQ(Joined(log), "P previous P");
    EXPECT_EQ(table.CallOriginal(kWindow, kMsg, 0, 0), kOriginalAnswer);
    EXPECT_EQ(table.CallOriginal(FakeWindow(0x999), kMsg, 0, 0), 0);  // not subclassed
}
