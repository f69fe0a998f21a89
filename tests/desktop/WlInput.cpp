// orbicle-wlinput: real input for the Wayland tests, through the compositor's virtual pointer
// and virtual keyboard (the protocols zwlr_virtual_pointer_manager_v1 and
// zwp_virtual_keyboard_manager_v1, which sway offers). It makes one pointer and one keyboard
// (with the US layout), which stay on the seat while it runs, as a desktop's devices do; says
// "ready"; then reads commands, one a line, and answers each with "ok" once the compositor has
// handled it, or with "error: WHY":
//   move X Y                          the pointer to (X, Y) on the screen
//   click X Y left|right [N [MS]]     there, N presses of the button (default 1), MS
//                                     milliseconds apart (default 100)
//   key KEY...                        each KEY pressed and released: a letter, a digit, F1-F12,
//                                     Escape, Return, Alt, or alt+KEY, ctrl+KEY, shift+KEY
// X and Y are in the first output's pixels. Exit status 1 with a message when the compositor
// offers no virtual pointer or keyboard.
#include <linux/input-event-codes.h>
#include <sys/mman.h>
#include <unistd.h>

#include <wayland-client.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <iterator>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace {
// The protocol's two interfaces, declared here from its wire format (requests only; neither
// sends events): the manager's create_virtual_pointer(seat, new id) and the pointer's requests
// in their protocol order.
extern const wl_interface virtualPointerInterface;
const wl_interface* createTypes[] = {&wl_seat_interface, &virtualPointerInterface};
const wl_interface* noTypes[] = {nullptr, nullptr, nullptr, nullptr, nullptr};
const wl_message managerRequests[] = {{"create_virtual_pointer", "?on", createTypes}};
const wl_message pointerRequests[] = {
    {"motion", "uff", noTypes},   {"motion_absolute", "uuuuu", noTypes},
    {"button", "uuu", noTypes},   {"axis", "uuf", noTypes},
    {"frame", "", noTypes},       {"axis_source", "u", noTypes},
    {"axis_stop", "uu", noTypes}, {"axis_discrete", "uufi", noTypes},
    {"destroy", "", noTypes},
};
const wl_interface managerInterface = {"zwlr_virtual_pointer_manager_v1", 1, 1, managerRequests, 0, nullptr};
const wl_interface virtualPointerInterface = {"zwlr_virtual_pointer_v1", 1, 9, pointerRequests, 0, nullptr};
enum PointerRequest : std::uint32_t { MotionAbsolute = 1, Button = 2, Frame = 4, Destroy = 8 };
// The keyboard protocol likewise: the manager's create_virtual_keyboard(seat, new id), the
// keyboard's keymap(format, fd, size), key(time, key, state), modifiers(depressed, latched,
// locked, group) and destroy.
extern const wl_interface virtualKeyboardInterface;
const wl_interface* createKeyboardTypes[] = {&wl_seat_interface, &virtualKeyboardInterface};
const wl_message keyboardManagerRequests[] = {{"create_virtual_keyboard", "on", createKeyboardTypes}};
const wl_message keyboardRequests[] = {
    {"keymap", "uhu", noTypes}, {"key", "uuu", noTypes}, {"modifiers", "uuuu", noTypes}, {"destroy", "", noTypes}};
const wl_interface keyboardManagerInterface = {"zwp_virtual_keyboard_manager_v1", 1, 1,
                                               keyboardManagerRequests,           0, nullptr};
const wl_interface virtualKeyboardInterface = {"zwp_virtual_keyboard_v1", 1, 4, keyboardRequests, 0, nullptr};
enum KeyboardRequest : std::uint32_t { Keymap = 0, Key = 1, Modifiers = 2, KeyboardDestroy = 3 };
// A keymap of the standard rules, which the compositor compiles: a US keyboard.
constexpr char UsKeymap[] =
    "xkb_keymap {\n"
    "  xkb_keycodes { include \"evdev+aliases(qwerty)\" };\n"
    "  xkb_types { include \"complete\" };\n"
    "  xkb_compat { include \"complete\" };\n"
    "  xkb_symbols { include \"pc+us+inet(evdev)\" };\n"
    "};\n";
// The keymap's modifier masks: Shift, Control and Mod1 (Alt) in its standard order.
constexpr std::uint32_t ShiftMask = 1, ControlMask = 4, AltMask = 8;

struct Globals {
    wl_seat* seat = nullptr;
    wl_output* output = nullptr;
    wl_proxy* manager = nullptr;
    wl_proxy* keyboardManager = nullptr;
    std::int32_t width = 0, height = 0;  // the output's current mode
};

void OnGlobal(void* data, wl_registry* registry, std::uint32_t name, const char* interface, std::uint32_t /*version*/)
{
    auto* globals = static_cast<Globals*>(data);
    if (std::strcmp(interface, wl_seat_interface.name) == 0 && !globals->seat)
        globals->seat = static_cast<wl_seat*>(wl_registry_bind(registry, name, &wl_seat_interface, 1));
    else if (std::strcmp(interface, wl_output_interface.name) == 0 && !globals->output)
        globals->output = static_cast<wl_output*>(wl_registry_bind(registry, name, &wl_output_interface, 1));
    else if (std::strcmp(interface, managerInterface.name) == 0)
        globals->manager = static_cast<wl_proxy*>(wl_registry_bind(registry, name, &managerInterface, 1));
    else if (std::strcmp(interface, keyboardManagerInterface.name) == 0)
        globals->keyboardManager =
            static_cast<wl_proxy*>(wl_registry_bind(registry, name, &keyboardManagerInterface, 1));
}
void OnGlobalRemove(void*, wl_registry*, std::uint32_t) {}
const wl_registry_listener registryListener = {OnGlobal, OnGlobalRemove};

void OnGeometry(void*, wl_output*, std::int32_t, std::int32_t, std::int32_t, std::int32_t, std::int32_t, const char*,
                const char*, std::int32_t)
{
}
void OnMode(void* data, wl_output*, std::uint32_t flags, std::int32_t width, std::int32_t height, std::int32_t)
{
    if (flags & WL_OUTPUT_MODE_CURRENT) {
        static_cast<Globals*>(data)->width = width;
        static_cast<Globals*>(data)->height = height;
    }
}
void OnDone(void*, wl_output*) {}
void OnScale(void*, wl_output*, std::int32_t) {}
void OnText(void*, wl_output*, const char*) {}
const wl_output_listener outputListener = {OnGeometry, OnMode, OnDone, OnScale, OnText, OnText};

std::uint32_t NowMs()
{
    using namespace std::chrono;
    return static_cast<std::uint32_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

bool Number(const std::string& text, long low, long high, long& value)
{
    char* end = nullptr;
    value = std::strtol(text.c_str(), &end, 10);
    return !text.empty() && *end == '\0' && value >= low && value <= high;
}

// The virtual pointer, made once: a device that comes and goes with each command would reach
// the programs only after their next look at the seat, and so lose the presses.
class VirtualPointer {
public:
    VirtualPointer(wl_display* display, const Globals& globals)
        : m_display(display),
          m_globals(globals),
          m_pointer(wl_proxy_marshal_constructor(globals.manager, 0, &virtualPointerInterface, globals.seat, nullptr))
    {
        wl_display_roundtrip(m_display);
    }
    ~VirtualPointer()
    {
        wl_proxy_marshal(m_pointer, Destroy);
        wl_proxy_destroy(m_pointer);
        wl_display_roundtrip(m_display);
    }
    VirtualPointer(const VirtualPointer&) = delete;
    VirtualPointer& operator=(const VirtualPointer&) = delete;

    void Move(long x, long y)
    {
        wl_proxy_marshal(m_pointer, MotionAbsolute, NowMs(), static_cast<std::uint32_t>(x),
                         static_cast<std::uint32_t>(y), static_cast<std::uint32_t>(m_globals.width),
                         static_cast<std::uint32_t>(m_globals.height));
        Send();
    }
    void Button(std::uint32_t button, std::uint32_t state)
    {
        wl_proxy_marshal(m_pointer, PointerRequest::Button, NowMs(), button, state);
        Send();
    }

private:
    // One frame of events, handled by the compositor before the next command.
    void Send()
    {
        wl_proxy_marshal(m_pointer, Frame);
        wl_display_roundtrip(m_display);
    }

    wl_display* m_display;
    const Globals& m_globals;
    wl_proxy* m_pointer;
};

// The virtual keyboard with the US keymap, made once: the seat has a keyboard as long as this
// runs, so that windows get the keyboard focus.
class VirtualKeyboard {
public:
    VirtualKeyboard(wl_display* display, const Globals& globals)
        : m_display(display),
          m_keyboard(wl_proxy_marshal_constructor(globals.keyboardManager, 0, &virtualKeyboardInterface, globals.seat,
                                                  nullptr))
    {
        const int fd = memfd_create("orbicle-keymap", MFD_CLOEXEC);
        if (fd >= 0 && write(fd, UsKeymap, sizeof UsKeymap) == static_cast<ssize_t>(sizeof UsKeymap))
            wl_proxy_marshal(m_keyboard, Keymap, WL_KEYBOARD_KEYMAP_FORMAT_XKB_V1, fd,
                             static_cast<std::uint32_t>(sizeof UsKeymap));
        if (fd >= 0)
            close(fd);
        wl_display_roundtrip(m_display);
    }
    ~VirtualKeyboard()
    {
        wl_proxy_marshal(m_keyboard, KeyboardDestroy);
        wl_proxy_destroy(m_keyboard);
        wl_display_roundtrip(m_display);
    }
    VirtualKeyboard(const VirtualKeyboard&) = delete;
    VirtualKeyboard& operator=(const VirtualKeyboard&) = delete;

    // Presses the modifiers' keys, then the key; releases them in the opposite order.
    void Type(std::uint32_t key, std::uint32_t mask)
    {
        std::uint32_t held = 0;
        for (const auto& [bit, code] : {std::pair{ShiftMask, KEY_LEFTSHIFT}, std::pair{ControlMask, KEY_LEFTCTRL},
                                        std::pair{AltMask, KEY_LEFTALT}}) {
            if (mask & bit) {
                Send(code, WL_KEYBOARD_KEY_STATE_PRESSED, held |= bit);
            }
        }
        Send(key, WL_KEYBOARD_KEY_STATE_PRESSED, held);
        Send(key, WL_KEYBOARD_KEY_STATE_RELEASED, held);
        for (const auto& [bit, code] : {std::pair{AltMask, KEY_LEFTALT}, std::pair{ControlMask, KEY_LEFTCTRL},
                                        std::pair{ShiftMask, KEY_LEFTSHIFT}}) {
            if (mask & bit)
                Send(code, WL_KEYBOARD_KEY_STATE_RELEASED, held &= ~bit);
        }
    }

private:
    // One key event and the modifiers it leaves, handled by the compositor before the next.
    void Send(std::uint32_t key, std::uint32_t state, std::uint32_t mods)
    {
        wl_proxy_marshal(m_keyboard, Key, NowMs(), key, state);
        wl_proxy_marshal(m_keyboard, Modifiers, mods, 0u, 0u, 0u);
        wl_display_roundtrip(m_display);
    }

    wl_display* m_display;
    wl_proxy* m_keyboard;
};

// The evdev code of a key name: a letter, a digit, F1-F12, Escape, Return, Alt; 0 if none.
std::uint32_t KeyCode(const std::string& name)
{
    static const std::map<std::string, std::uint32_t> named = {
        {"a", KEY_A},        {"b", KEY_B},     {"c", KEY_C},     {"d", KEY_D},        {"e", KEY_E},
        {"f", KEY_F},        {"g", KEY_G},     {"h", KEY_H},     {"i", KEY_I},        {"j", KEY_J},
        {"k", KEY_K},        {"l", KEY_L},     {"m", KEY_M},     {"n", KEY_N},        {"o", KEY_O},
        {"p", KEY_P},        {"q", KEY_Q},     {"r", KEY_R},     {"s", KEY_S},        {"t", KEY_T},
        {"u", KEY_U},        {"v", KEY_V},     {"w", KEY_W},     {"x", KEY_X},        {"y", KEY_Y},
        {"z", KEY_Z},        {"1", KEY_1},     {"2", KEY_2},     {"3", KEY_3},        {"4", KEY_4},
        {"5", KEY_5},        {"6", KEY_6},     {"7", KEY_7},     {"8", KEY_8},        {"9", KEY_9},
        {"0", KEY_0},        {"F1", KEY_F1},   {"F2", KEY_F2},   {"F3", KEY_F3},      {"F4", KEY_F4},
        {"F5", KEY_F5},      {"F6", KEY_F6},   {"F7", KEY_F7},   {"F8", KEY_F8},      {"F9", KEY_F9},
        {"F10", KEY_F10},    {"F11", KEY_F11}, {"F12", KEY_F12}, {"Escape", KEY_ESC}, {"Return", KEY_ENTER},
        {"Alt", KEY_LEFTALT}};
    const auto found = named.find(name);
    return found == named.end() ? 0 : found->second;
}

// Types "alt+f", "ctrl+q", "q" and the like; false if a name is not known.
bool TypeKey(VirtualKeyboard& keyboard, std::string combo)
{
    std::uint32_t mask = 0;
    for (const auto& [prefix, bit] :
         {std::pair{std::string("alt+"), AltMask}, {"ctrl+", ControlMask}, {"shift+", ShiftMask}}) {
        if (combo.starts_with(prefix)) {
            mask |= bit;
            combo.erase(0, prefix.size());
        }
    }
    const std::uint32_t key = KeyCode(combo);
    if (!key)
        return false;
    keyboard.Type(key, mask);
    return true;
}

// Runs one command line; an empty answer when it is done, otherwise what is wrong.
std::string Run(VirtualPointer& pointer, VirtualKeyboard& keyboard, const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> words{std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
    if (!words.empty() && words[0] == "key") {
        for (std::size_t i = 1; i < words.size(); ++i) {
            if (!TypeKey(keyboard, words[i]))
                return "no key " + words[i];
        }
        return {};
    }
    long x = 0, y = 0, count = 1, delay = 100;
    if (words.size() < 3 || !Number(words[1], 0, 100000, x) || !Number(words[2], 0, 100000, y))
        return "expected move X Y, click X Y left|right [N [MS]] or key KEY...";
    if (words[0] == "move" && words.size() == 3) {
        pointer.Move(x, y);
        return {};
    }
    if (words[0] != "click" || words.size() < 4 || words.size() > 6)
        return "expected move X Y, click X Y left|right [N [MS]] or key KEY...";
    const std::uint32_t button = words[3] == "left" ? BTN_LEFT : words[3] == "right" ? BTN_RIGHT : 0;
    if (!button)
        return "no button " + words[3];
    if ((words.size() > 4 && !Number(words[4], 1, 100, count)) ||
        (words.size() > 5 && !Number(words[5], 0, 10000, delay)))
        return "a count from 1 to 100 and a delay from 0 to 10000 ms";
    pointer.Move(x, y);
    for (long i = 0; i < count; ++i) {
        if (i > 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(delay));
        pointer.Button(button, WL_POINTER_BUTTON_STATE_PRESSED);
        pointer.Button(button, WL_POINTER_BUTTON_STATE_RELEASED);
    }
    return {};
}
}  // namespace

int main()
{
    wl_display* display = wl_display_connect(nullptr);
    if (!display) {
        std::fprintf(stderr, "orbicle-wlinput: no Wayland display\n");
        return 1;
    }
    Globals globals;
    wl_registry* registry = wl_display_get_registry(display);
    wl_registry_add_listener(registry, &registryListener, &globals);
    wl_display_roundtrip(display);
    if (globals.output)
        wl_output_add_listener(globals.output, &outputListener, &globals);
    wl_display_roundtrip(display);
    if (!globals.manager || !globals.keyboardManager || !globals.seat || globals.width <= 0 || globals.height <= 0) {
        std::fprintf(stderr, "orbicle-wlinput: the compositor offers no virtual pointer or keyboard, or no output\n");
        wl_display_disconnect(display);
        return 1;
    }
    {
        VirtualPointer pointer(display, globals);
        VirtualKeyboard keyboard(display, globals);
        std::puts("ready");
        std::fflush(stdout);
        for (std::string line; std::getline(std::cin, line);) {
            const std::string error = Run(pointer, keyboard, line);
            std::puts(error.empty() ? "ok" : ("error: " + error).c_str());
            std::fflush(stdout);
        }
    }
    wl_display_disconnect(display);
    return 0;
}
