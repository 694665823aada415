// The shared hands of e2e_driver: finding windows and controls of another
// process by their texts, reading numbers and key codes from the command line,
// and the table each subject file gives its subcommands in.
#pragma once

#include <windows.h>

#include <span>
#include <string>
#include <vector>

namespace e2e {

// Exit status: 0 done (or condition met), 1 condition not met / window
// missing, 2 bad usage.
constexpr int ExitOk = 0;
constexpr int ExitFailed = 1;
constexpr int ExitUsage = 2;

// One subcommand: its name, how many arguments it takes, its usage line (the
// arguments and what it does) and what runs it. Returning ExitUsage prints
// the usage of every subcommand.
struct Command {
  const char* name;
  int minArgs;
  int maxArgs;
  const char* usage;
  int (*run)(char** args, int count);
};

// The subcommands by subject, one file each.
std::span<const Command> KeyCommands();
std::span<const Command> WindowCommands();
std::span<const Command> TrayCommands();
std::span<const Command> MutexCommands();
std::span<const Command> MemoryCommands();
std::span<const Command> SoundCommands();
std::span<const Command> OptionsCommands();
std::span<const Command> LayoutCommands();
std::span<const Command> SecurityCommands();

std::string WindowText(HWND hwnd);
// A control's own text, which GetWindowText does not read from another
// process (an edit box's contents, for one).
std::string ControlText(HWND hwnd);
std::string ClassOf(HWND hwnd);
// Every top-level window with this exact title, hidden ones included: the
// program keeps its main window hidden while it sits in the tray.
std::vector<HWND> TopLevelWindows(const std::string& title);
// The first of them; says so on stderr when there is none.
HWND FirstTopLevelWindow(const std::string& title);
HWND ChildWithText(HWND parent, const std::string& text);
// The control showing this text in the first window with the title.
HWND ControlWithText(const std::string& title, const std::string& caption);
// The first control of a class, such as "ComboBox" or "Edit", in the first
// window with the title.
HWND ControlOfClass(const std::string& title, const char* className);

bool ParseNumber(const char* text, long& value);
bool ParseVk(const char* text, WORD& vk);

}  // namespace e2e
