// Starts the real program and drives it from a seed with random but plausible input: keys to the focused
// control (real input, so the character comes before the key's release), access keys of the tool windows,
// clicks on controls, the enabled menu commands of the main window, and answers to every message and input
// box (clicks and keys reach them like any window). After every event: the process lives, each of its windows
// answers within 5 s, the tape only grows (except after a clear the input asked for) and no event writes a
// tool block twice.
//
// PLUMVANE_MONKEY_EVENTS sets the number of events of each run (default 400); PLUMVANE_MONKEY_SEED replays a
// seed that a failure printed; PLUMVANE_MONKEY_WORD limits the runs to one start-up word ("-" for none).
#include <windows.h>

#include <gtest/gtest.h>

#include <iterator>

#include <chrono>
#include <cwchar>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr DWORD kAnswerMs = 5000;
constexpr size_t kEventsKept = 25;
// A command chosen in a menu runs once the menu loop has ended, which may be some events after the keys.
constexpr int kClearEvents = 5;

std::wstring Environment(const wchar_t* name)
{
    wchar_t value[64] = {};
    return GetEnvironmentVariableW(name, value, 64) ? value : L"";
}

std::wstring ClassOf(HWND hwnd)
{
    wchar_t name[64] = {};
    GetClassNameW(hwnd, name, 64);
    return name;
}

std::wstring TextOf(HWND hwnd)
{
    wchar_t text[256] = {};
    GetWindowTextW(hwnd, text, 256);
    return text;
}

bool Usable(HWND hwnd)
{
    return IsWindowVisible(hwnd) && IsWindowEnabled(hwnd);
}

// One run of the program under random input.
class Monkey {
public:
    Monkey(std::wstring word, unsigned seed) : word_(std::move(word)), seed_(seed), random_(seed) {}
    ~Monkey()
    {
        if (process_) {
            TerminateProcess(process_, 0);
            WaitForSingleObject(process_, kAnswerMs);
            CloseHandle(process_);
        }
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Plumva");
    }

    // Runs `events` events; false with a report (seed, event, last events) on the first broken rule.
    bool Run(long events)
    {
        if (!Start())
            return false;
        for (long event = 0; event < events; ++event) {
            index_ = event;
            if (clearAsked_ > 0)
                --clearAsked_;
            Act();
            if (!Check())
                return false;
            if (events >= 10000 && (event + 1) % 10000 == 0) {  // a long run shows how far it came
                std::printf("monkey: %ld events, %ld clears, %ld tool blocks\n", event + 1, clears_, blocks_);
                std::fflush(stdout);
            }
        }
        return true;
    }
    const std::string& Report() const { return report_; }
    long Clears() const { return clears_; }
    long Blocks() const { return blocks_; }
    size_t TapeLength() const { return tape_.size(); }
    long EventsRun() const { return index_; }
    const std::deque<std::string>& LastEvents() const { return events_; }

private:
    bool Start()
    {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\VB and VBA Program Settings\\Plumva");
        // A copy of its own, so its backup file and settings touch nothing of the other tests.
        wchar_t self[MAX_PATH] = {};
        GetModuleFileNameW(nullptr, self, MAX_PATH);
        const std::filesystem::path here = std::filesystem::path(self).parent_path();
        folder_ = here / (L"monkey-" + std::to_wstring(GetCurrentProcessId()));
        std::filesystem::create_directories(folder_);
        std::filesystem::copy_file(here / L"Plumvane.exe", folder_ / L"Plumvane.exe",
                                   std::filesystem::copy_options::overwrite_existing);
        std::wstring command = L"\"" + (folder_ / L"Plumvane.exe").wstring() + L"\" " + word_;
        // On this test program's own desktop, so that its input stays ours.
        wchar_t desktop[64] = {};
        DWORD needed = 0;
        GetUserObjectInformationW(GetThreadDesktop(GetCurrentThreadId()), UOI_NAME, desktop, sizeof desktop, &needed);
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        startup.lpDesktop = desktop;
        PROCESS_INFORMATION info{};
        if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, folder_.c_str(), &startup,
                            &info))
            return Fail("the program did not start");
        process_ = info.hProcess;
        pid_ = info.dwProcessId;
        CloseHandle(info.hThread);
        WaitForInputIdle(process_, kAnswerMs);
        for (int i = 0; i < 100 && !MainWindow(); ++i)
            Sleep(50);
        if (!MainWindow())
            return Fail("no main window");
        tape_ = Tape();
        return true;
    }

    // The program's visible top-level windows, the last shown (a dialog, a tool) last.
    std::vector<HWND> Windows() const
    {
        struct Search {
            DWORD pid;
            std::vector<HWND> found;
        } search{pid_, {}};
        EnumWindows(
            [](HWND hwnd, LPARAM param) {
                auto& s = *reinterpret_cast<Search*>(param);
                DWORD owner = 0;
                GetWindowThreadProcessId(hwnd, &owner);
                if (owner == s.pid && IsWindowVisible(hwnd))
                    s.found.insert(s.found.begin(), hwnd);  // EnumWindows goes from the top of the z-order
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    HWND MainWindow() const
    {
        for (HWND hwnd : Windows())
            if (ClassOf(hwnd) == L"PlumvaneForm" && TextOf(hwnd).rfind(L"Plumvane", 0) == 0)
                return hwnd;
        return nullptr;
    }

    // Where input goes now: the last shown window that takes input (a message box, a tool, the main window).
    HWND InputWindow() const
    {
        const std::vector<HWND> windows = Windows();
        for (auto it = windows.rbegin(); it != windows.rend(); ++it)
            if (Usable(*it))
                return *it;
        return nullptr;
    }

    std::vector<HWND> Children(HWND parent) const
    {
        std::vector<HWND> children;
        EnumChildWindows(
            parent,
            [](HWND hwnd, LPARAM param) {
                if (Usable(hwnd) && IsWindowVisible(GetParent(hwnd)))
                    reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&children));
        return children;
    }

    std::wstring Tape() const
    {
        const HWND main = MainWindow();
        if (!main)
            return tape_;
        for (HWND child : Children(main)) {
            if (ClassOf(child) != L"Edit" || !(GetWindowLongW(child, GWL_STYLE) & ES_MULTILINE))
                continue;
            DWORD_PTR length = 0;
            if (!SendMessageTimeoutW(child, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kAnswerMs, &length))
                return tape_;
            std::wstring text(length + 1, L'\0');
            DWORD_PTR copied = 0;
            SendMessageTimeoutW(child, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_NORMAL,
                                kAnswerMs, &copied);
            text.resize(copied);
            return text;
        }
        return tape_;
    }

    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random_); }

    void Note(std::wstring what)
    {
        events_.push_back(std::to_string(index_) + ": " + Narrow(what) + " [" + Narrow(TextOf(InputWindow())) + "]");
        if (traceAll_)
            std::printf("%s\n", events_.back().c_str());
        if (events_.size() > kEventsKept)
            events_.pop_front();
    }

    static void Input(std::initializer_list<INPUT> inputs)
    {
        std::vector<INPUT> list(inputs);
        SendInput(static_cast<UINT>(list.size()), list.data(), sizeof(INPUT));
    }
    static INPUT Key(WORD vk, bool up)
    {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        return input;
    }
    static INPUT Button(DWORD flags)
    {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags;
        return input;
    }

    void Act()
    {
        const HWND target = InputWindow();
        if (!target)
            return Note(L"nothing takes input");
        if (GetForegroundWindow() != target)
            SetForegroundWindow(target);
        const bool dialog = ClassOf(target) == L"#32770";
        const HWND main = MainWindow();
        const int roll = Pick(100);
        if (dialog ? roll < 30 : roll < 20)
            return Click(target);
        if (InMenu()) {
            Note(L"Esc closes an open menu");
            return Input({Key(VK_ESCAPE, false), Key(VK_ESCAPE, true)});
        }
        if (target == main && roll < 30)
            return MenuCommand();
        if (target != main && !dialog && roll < 33)
            return AccessKey(target);
        if (roll < 45)
            return TypeNumber();
        TypeKey();
    }

    void TypeKey()
    {
        struct KeyChoice {
            WORD vk;
            int weight;
        };
        static constexpr KeyChoice kKeys[] = {
            {'0', 6}, {'1', 6}, {'2', 6}, {'3', 5}, {'4', 5}, {'5', 5}, {'6', 5}, {'7', 5}, {'8', 5}, {'9', 5},
            {VK_DECIMAL, 3}, {VK_OEM_COMMA, 2}, {VK_OEM_PERIOD, 2}, {VK_ADD, 4}, {VK_SUBTRACT, 3}, {VK_MULTIPLY, 3},
            {VK_DIVIDE, 2}, {VK_OEM_2, 2}, {VK_RETURN, 4}, {VK_BACK, 3}, {VK_TAB, 4}, {VK_ESCAPE, 2}, {VK_SPACE, 1},
            {VK_LEFT, 1}, {VK_RIGHT, 1}, {VK_HOME, 1}, {VK_END, 1}, {VK_DELETE, 1}, {'A', 1}, {'S', 1}, {VK_UP, 1},
            {VK_DOWN, 1}, {VK_OEM_PLUS, 2}};
        int total = 0;
        for (const KeyChoice& key : kKeys)
            total += key.weight;
        int roll = Pick(total);
        WORD vk = kKeys[0].vk;
        for (const KeyChoice& key : kKeys) {
            if (roll < key.weight) {
                vk = key.vk;
                break;
            }
            roll -= key.weight;
        }
        const bool shift = vk == VK_TAB && Pick(4) == 0;
        Note(L"key " + std::to_wstring(vk) + (shift ? L" with Shift" : L""));
        if (shift)
            Input({Key(VK_SHIFT, false), Key(vk, false), Key(vk, true), Key(VK_SHIFT, true)});
        else
            Input({Key(vk, false), Key(vk, true)});
    }

    // A whole value of the kind the tools ask for (heights, weights, amounts, rates, counts, days, dates), key
    // by key, so that the tools reach their results and write their blocks.
    void TypeNumber()
    {
        static constexpr const wchar_t* kValues[] = {L"175", L"1.68", L"160", L"70", L"85.5", L"1000", L"2500.00",
                                                     L"2", L"1.5", L"12", L"24", L"30", L"15/03/2024", L"01/01/2000",
                                                     L"31/12/2030", L"10", L"0", L"350"};
        const std::wstring value = kValues[Pick(static_cast<int>(std::size(kValues)))];
        Note(L"types " + value);
        for (wchar_t c : value) {
            const WORD vk = c == L'.' ? VK_DECIMAL : c == L'/' ? VK_DIVIDE : static_cast<WORD>(c);
            Input({Key(vk, false), Key(vk, true)});
        }
    }

    // Alt + a letter that a control of the tool window marks with "&" (the main window's are its menus').
    void AccessKey(HWND window)
    {
        std::vector<wchar_t> letters;
        for (HWND child : Children(window)) {
            const std::wstring text = TextOf(child);
            const size_t amp = text.find(L'&');
            if (amp != std::wstring::npos && amp + 1 < text.size() && iswalnum(text[amp + 1]))
                letters.push_back(towupper(text[amp + 1]));
        }
        if (letters.empty())
            return TypeKey();
        const wchar_t letter = letters[Pick(static_cast<int>(letters.size()))];
        Note(std::wstring(L"Alt+") + letter);
        Input({Key(VK_MENU, false), Key(static_cast<WORD>(letter), false), Key(static_cast<WORD>(letter), true),
               Key(VK_MENU, true)});
    }

    void Click(HWND window)
    {
        const std::vector<HWND> children = Children(window);
        if (children.empty())
            return TypeKey();
        const HWND child = children[Pick(static_cast<int>(children.size()))];
        RECT rect{};
        GetWindowRect(child, &rect);
        const int x = rect.left + 1 + Pick(std::max<int>(1, rect.right - rect.left - 2));
        const int y = rect.top + 1 + Pick(std::max<int>(1, rect.bottom - rect.top - 2));
        Note(L"click " + ClassOf(child) + L" \"" + TextOf(child) + L"\" in \"" + TextOf(window) + L"\"");
        // A "Yes" may be the interest tool's offer to clear a full tape.
        if (TextOf(child).find(L"Yes") != std::wstring::npos)
            clearAsked_ = kClearEvents;
        SetCursorPos(x, y);
        Input({Button(MOUSEEVENTF_LEFTDOWN), Button(MOUSEEVENTF_LEFTUP)});
    }

    // A command of the main window's menus chosen with the keyboard as a user would: Alt and the menu's access
    // key, then the item's. Disabled items do nothing; Exit ("x" in File) is never chosen. The menus of another
    // process cannot be read, so the access keys are the program's own.
    void MenuCommand()
    {
        struct MenuKeys {
            wchar_t menu;
            const wchar_t* items;
        };
        static constexpr MenuKeys kMenus[] = {{L'F', L"PSCB"}, {L'E', L"URP"}, {L'M', L"CRAS"}, {L'T', L"IDRWT"},
                                              {L'O', L"FLTMCHS"}, {L'H', L"CA"}};
        const MenuKeys& menu = kMenus[Pick(6)];
        const wchar_t item = menu.items[Pick(static_cast<int>(std::wcslen(menu.items)))];
        Note(std::wstring(L"menu Alt+") + menu.menu + L", " + item);
        if (menu.menu == L'F' && item == L'C')
            clearAsked_ = kClearEvents;
        Input({Key(VK_MENU, false), Key(menu.menu, false), Key(menu.menu, true), Key(VK_MENU, true),
               Key(item, false), Key(item, true)});
    }

    // A menu left open (a disabled item, a submenu) takes every key: Esc closes it first.
    bool InMenu() const
    {
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        return GetGUIThreadInfo(GetWindowThreadProcessId(MainWindow(), nullptr), &info) &&
               (info.flags & GUI_INMENUMODE);
    }

    bool Check()
    {
        // Twice: the first answer may come before the input was taken from the queue, the second comes after.
        for (int round = 0; round < 2; ++round) {
            if (WaitForSingleObject(process_, 0) != WAIT_TIMEOUT)
                return Fail("the program ended");
            for (HWND hwnd : Windows()) {
                DWORD_PTR ignored = 0;
                if (!SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerMs, &ignored) && IsWindow(hwnd))
                    return Fail("a window did not answer within 5 s: \"" + Narrow(TextOf(hwnd)) + "\"");
            }
        }
        const std::wstring tape = Tape();
        std::wstring added;
        if (tape.compare(0, tape_.size(), tape_) == 0) {
            added = tape.substr(tape_.size());
        } else if (clearAsked_ > 0) {
            clearAsked_ = 0;
            ++clears_;
            added = tape;
        } else {
            return Fail("the tape lost text without a clear: " + std::to_string(tape_.size()) + " characters before, " +
                        std::to_string(tape.size()) + " now");
        }
        int toolBlocks = 0;
        for (const wchar_t* mark : {L"WEIGHT CALC.", L"] - \r\n", L"INITIAL VALUE"})
            for (size_t at = added.find(mark); at != std::wstring::npos; at = added.find(mark, at + 1))
                ++toolBlocks;
        if (toolBlocks > 1)
            return Fail("one event wrote " + std::to_string(toolBlocks) + " tool blocks:\n" + Narrow(added));
        blocks_ += toolBlocks;
        tape_ = tape;
        return true;
    }

    static std::string Narrow(const std::wstring& text)
    {
        std::string out;
        for (wchar_t c : text)
            out += c < 128 ? static_cast<char>(c) : '?';
        return out;
    }

    bool Fail(const std::string& what)
    {
        report_ = what + "\nword \"" + Narrow(word_) + "\", seed " + std::to_string(seed_) + ", event " +
                  std::to_string(index_) + "; replay with PLUMVANE_MONKEY_SEED=" + std::to_string(seed_) +
                  " PLUMVANE_MONKEY_WORD=" + (word_.empty() ? "-" : Narrow(word_)) + "\nlast events:\n";
        for (const std::string& event : events_)
            report_ += "  " + event + "\n";
        return false;
    }

    std::wstring word_;
    unsigned seed_;
    std::mt19937 random_;
    std::filesystem::path folder_;
    HANDLE process_ = nullptr;
    DWORD pid_ = 0;
    std::wstring tape_;
    int clearAsked_ = 0;  // events left in which a clear the input asked for may still show
    long index_ = 0;
    long clears_ = 0;
    long blocks_ = 0;
    std::deque<std::string> events_;
    bool traceAll_ = Environment(L"PLUMVANE_MONKEY_TRACE") == L"all";
    std::string report_;
};

class MonkeyTest : public ::testing::TestWithParam<const wchar_t*> {};

TEST_P(MonkeyTest, SurvivesRandomInputWithTheTapeWhole)
{
    const std::wstring only = Environment(L"PLUMVANE_MONKEY_WORD");
    const std::wstring word = GetParam();
    if (!only.empty() && only != (word.empty() ? L"-" : word))
        GTEST_SKIP() << "another word asked for";
    const std::wstring events = Environment(L"PLUMVANE_MONKEY_EVENTS");
    const std::wstring seedText = Environment(L"PLUMVANE_MONKEY_SEED");
    const unsigned seed = seedText.empty() ? static_cast<unsigned>(GetTickCount64() ^ GetCurrentProcessId())
                                           : static_cast<unsigned>(std::wcstoul(seedText.c_str(), nullptr, 10));
    const long count = events.empty() ? 400 : std::wcstol(events.c_str(), nullptr, 10);
    const auto start = std::chrono::steady_clock::now();
    Monkey monkey(word, seed);
    const bool survived = monkey.Run(count);
    const long ran = survived ? count : monkey.EventsRun();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("monkey: word \"%ls\", seed %u, %ld events in %.0f s, %ld clears, %ld tool blocks, tape %zu characters\n",
                word.c_str(), seed, ran, seconds, monkey.Clears(), monkey.Blocks(), monkey.TapeLength());
    if (!Environment(L"PLUMVANE_MONKEY_TRACE").empty())
        for (const std::string& event : monkey.LastEvents())
            std::printf("  %s\n", event.c_str());
    EXPECT_TRUE(survived) << monkey.Report();
}

INSTANTIATE_TEST_SUITE_P(Words, MonkeyTest, ::testing::Values(L"", L"juro", L"peso"),
                         [](const auto& info) { return std::wstring(info.param).empty() ? std::string("NoWord")
                                                                                          : std::string(info.param[0] == L'j' ? "Juro" : "Peso"); });

}  // namespace
