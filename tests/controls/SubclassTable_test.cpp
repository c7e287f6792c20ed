#include "controls/SubclassTable.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>

using namespace controls;

namespace {

const SubclassWindow kWindow = reinterpret_cast<SubclassWindow>(0x10020);  // "65568"
constexpr std::intptr_t kOwnProcedure = 0x4000;
constexpr std::intptr_t kOriginal = 0x7000;
constexpr unsigned kMsg = 0x111;       // "273"
constexpr unsigned kOtherMsg = 0x117;  // "279"

std::string calls;  // who was called, in order

// A window system in memory: a property write can be made to fail; procedure calls are logged.
class FakeHost : public SubclassHost {
public:
    std::set<SubclassWindow> windows{kWindow}, foreign;
    std::map<std::string, std::intptr_t> properties;
    std::intptr_t procedure = kOriginal;
    bool refuseInstall = false, closing = false;
    int writes = 0, failWrite = 0;  // the write of that number (from 1) fails

    bool IsWindow(SubclassWindow h) override { return windows.count(h) != 0; }
    bool IsOwnProcessWindow(SubclassWindow h) override { return foreign.count(h) == 0; }
    std::intptr_t GetProperty(SubclassWindow, const std::string& name) override { return properties[name]; }
    bool SetProperty(SubclassWindow, const std::string& name, std::intptr_t value) override
    {
        if (++writes == failWrite)
            return false;
        value ? void(properties[name] = value) : void(properties.erase(name));
        return true;
    }
    std::intptr_t InstallProcedure(SubclassWindow) override
    {
        return refuseInstall ? 0 : std::exchange(procedure, kOwnProcedure);
    }
    void RestoreProcedure(SubclassWindow, std::intptr_t p) override { procedure = p; }
    SubclassResult CallProcedure(std::intptr_t p, SubclassWindow, unsigned, SubclassWParam, SubclassLParam) override
    {
        calls += p == kOriginal ? "previous " : "unknown ";
        return 77;
    }
    bool Closing() override { return closing; }
};

class Handler : public ISubclass {
public:
    Handler(std::string name, SubclassResult answer, int response = kHandlersOnly)
        : name_(std::move(name)), answer_(answer), response_(response)
    {
    }
    int MsgResponse() override { return ++asked, response_; }
    SubclassResult WindowProc(SubclassWindow, unsigned, SubclassWParam, SubclassLParam) override
    {
        calls += name_ + " ";
        if (during)
            during();
        return answer_;
    }
    int asked = 0;
    std::function<void()> during;

private:
    std::string name_;
    SubclassResult answer_;
    int response_;
};

std::intptr_t Pointer(const Handler& h)
{
    return reinterpret_cast<std::intptr_t>(static_cast<const ISubclass*>(&h));
}

}  // namespace

TEST(SubclassTable, CallsHandlersAndThePreviousProcedureAsTheFirstHandlerAsks)
{
    struct Case {
        int response;
        int handlers;
        const char* order;
        SubclassResult result;
    };
    const Case cases[] = {
        {kHandlersOnly, 2, "B A ", 1},       {kPreviousAfter, 2, "B A previous ", 77},
        {kPreviousBefore, 2, "B previous A ", 1}, {kPreviousBefore, 3, "C B previous A ", 1},
        {7, 2, "B A ", 1},                   {kPreviousBefore, 1, "previous A ", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.response) + " with " + std::to_string(c.handlers));
        FakeHost host;
        SubclassTable table(host);
        Handler a("A", 1, c.response), b("B", 2, kPreviousAfter), third("C", 3, kPreviousBefore);
        Handler* all[] = {&a, &b, &third};
        for (int n = 0; n < c.handlers; ++n)
            ASSERT_EQ(table.Attach(*all[n], kWindow, kMsg), 0);
        calls.clear();
        EXPECT_EQ(table.Dispatch(kWindow, kMsg, 0, 0), c.result);
        EXPECT_EQ(calls, c.order);
        EXPECT_EQ(b.asked + third.asked, 0);  // only the first attached is asked
        calls.clear();
        EXPECT_EQ(table.Dispatch(kWindow, kOtherMsg, 0, 0), 77);  // no handlers: the previous procedure alone
        EXPECT_EQ(calls, "previous ");
    }
}

TEST(SubclassTable, KeepsThePropertiesOthersRead)
{
    FakeHost host;
    SubclassTable table(host);
    Handler a("A", 1), b("B", 2), c("C", 3);
    EXPECT_EQ(HandlerName(reinterpret_cast<SubclassWindow>(-5), 0xC000FFFFu, 2), "-5#-1073676289#2");
    for (Handler* h : {&a, &b, &c})
        ASSERT_EQ(table.Attach(*h, kWindow, kMsg), 0);
    ASSERT_EQ(table.Attach(b, kWindow, kOtherMsg), 0);
    std::map<std::string, std::intptr_t> expected = {
        {"65568", kOriginal},         {"C65568", 4},   {"65568#273C", 3},           {"65568#273#1", Pointer(a)},
        {"65568#273#2", Pointer(b)}, {"65568#273#3", Pointer(c)}, {"65568#279C", 1}, {"65568#279#1", Pointer(b)},
    };
    EXPECT_EQ(host.properties, expected);
    EXPECT_EQ(host.procedure, kOwnProcedure);

    table.Detach(a, kWindow, kMsg);  // position 1 of 3: the others move down
    table.Detach(a, kWindow, kMsg);  // not attached any more: nothing happens
    expected["C65568"] = 3;
    expected["65568#273C"] = 2;
    expected["65568#273#1"] = Pointer(b);
    expected["65568#273#2"] = Pointer(c);
    expected.erase("65568#273#3");
    EXPECT_EQ(host.properties, expected);

    table.Detach(b, kWindow, kMsg);
    table.Detach(c, kWindow, kMsg);
    EXPECT_EQ(host.procedure, kOwnProcedure);  // one attachment left
    table.Detach(b, kWindow, kOtherMsg);
    EXPECT_TRUE(host.properties.empty());
    EXPECT_EQ(host.procedure, kOriginal);
}

TEST(SubclassTable, RefusesAndRollsBackFailedAttachments)
{
    struct Case {
        const char* what;
        std::function<void(FakeHost&)> arrange;
        int error;
    };
    const Case cases[] = {
        {"not a window", [](FakeHost& h) { h.windows.clear(); }, 13083},
        {"a window of another process", [](FakeHost& h) { h.foreign.insert(kWindow); }, 13084},
        {"the window refuses the procedure", [](FakeHost& h) { h.refuseInstall = true; }, 13081},
        {"handler count", [](FakeHost& h) { h.failWrite = 1; }, 5},
        {"handler entry", [](FakeHost& h) { h.failWrite = 2; }, 5},
        {"previous procedure", [](FakeHost& h) { h.failWrite = 3; }, 5},
        {"attachment count", [](FakeHost& h) { h.failWrite = 4; }, 5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        FakeHost host;
        SubclassTable table(host);
        Handler a("A", 1);
        c.arrange(host);
        EXPECT_EQ(table.Attach(a, kWindow, kMsg), c.error);
        EXPECT_TRUE(host.properties.empty());
        EXPECT_EQ(host.procedure, kOriginal);
        host = FakeHost();  // nothing was left behind: the same attach works now
        EXPECT_EQ(table.Attach(a, kWindow, kMsg), 0);
        EXPECT_EQ(table.Attach(a, kWindow, kMsg), 13082);  // the same object twice on one message
    }
}

// A handler that detaches itself or another one during the dispatch makes the walk neither skip a handler that
// is still attached nor call one twice; a handler detached before its turn is not called.
TEST(SubclassTable, SurvivesDetachingDuringDispatch)
{
    struct Case {
        int who;        // the handler (0 = A, first attached) that detaches
        int victim;     // ... this one
        const char* order;
        SubclassResult result;
    };
    const Case cases[] = {
        {2, 2, "C B A ", 1}, {1, 1, "C B A ", 1}, {2, 1, "C A ", 1},
        {1, 0, "C B ", 2},   {1, 2, "C B A ", 1}, {0, 0, "C B A ", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.who) + " detaches " + std::to_string(c.victim));
        FakeHost host;
        SubclassTable table(host);
        Handler handlers[] = {{"A", 1}, {"B", 2}, {"C", 3}};
        for (Handler& h : handlers)
            ASSERT_EQ(table.Attach(h, kWindow, kMsg), 0);
        handlers[c.who].during = [&] { table.Detach(handlers[c.victim], kWindow, kMsg); };
        calls.clear();
        EXPECT_EQ(table.Dispatch(kWindow, kMsg, 0, 0), c.result);
        EXPECT_EQ(calls, c.order);
    }
    // One attached during the dispatch hears the next message.
    FakeHost host;
    SubclassTable table(host);
    Handler a("A", 1), late("late", 9);
    a.during = [&] { table.Attach(late, kWindow, kMsg); };
    ASSERT_EQ(table.Attach(a, kWindow, kMsg), 0);
    calls.clear();
    table.Dispatch(kWindow, kMsg, 0, 0);
    table.Dispatch(kWindow, kMsg, 0, 0);
    EXPECT_EQ(calls, "A late A ");
}

TEST(SubclassTable, ClosingDestroyingAndEndingHandlers)
{
    FakeHost host;
    SubclassTable table(host);
    Handler a("A", 1, kHandlersOnly);
    ASSERT_EQ(table.Attach(a, kWindow, kMsg), 0);
    ASSERT_EQ(table.Attach(a, kWindow, kOtherMsg), 0);

    // While the program closes the handlers hear nothing, but the window still answers.
    host.closing = true;
    calls.clear();
    EXPECT_EQ(table.Dispatch(kWindow, kMsg, 0, 0), 77);
    EXPECT_EQ(calls, "previous ");
    host.closing = false;

    // WM_DESTROY without handlers: the window's own procedure is back before the message goes on.
    table.Dispatch(kWindow, kMessageDestroy, 0, 0);
    EXPECT_EQ(host.procedure, kOriginal);
    EXPECT_EQ(host.properties.count("C65568") + host.properties.count("65568"), 0u);
    EXPECT_FALSE(table.IsSubclassed(kWindow));

    // With a handler on WM_DESTROY itself, the window's last message lets it go.
    host = FakeHost();
    Handler onDestroy("D", 0, kPreviousAfter);
    ASSERT_EQ(table.Attach(onDestroy, kWindow, kMessageDestroy), 0);
    table.Dispatch(kWindow, kMessageDestroy, 0, 0);
    EXPECT_EQ(host.procedure, kOwnProcedure);
    table.Dispatch(kWindow, kMessageNcDestroy, 0, 0);
    EXPECT_EQ(host.procedure, kOriginal);

    // A handler that ends leaves every window, live or gone.
    host = FakeHost();
    const SubclassWindow gone = reinterpret_cast<SubclassWindow>(0x30060);
    host.windows.insert(gone);
    Handler stays("S", 5);
    {
        Handler ends("E", 1);
        ASSERT_EQ(table.Attach(ends, kWindow, kMsg), 0);
        ASSERT_EQ(table.Attach(ends, kWindow, kOtherMsg), 0);
        ASSERT_EQ(table.Attach(ends, gone, kMsg), 0);
        ASSERT_EQ(table.Attach(stays, kWindow, kMsg), 0);
        host.windows.erase(gone);
    }
    EXPECT_FALSE(table.IsSubclassed(gone));
    EXPECT_EQ(host.properties["C65568"], 1);
    calls.clear();
    EXPECT_EQ(table.Dispatch(kWindow, kMsg, 0, 0), 5);
    EXPECT_EQ(calls, "S ");
}
