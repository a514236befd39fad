// The standard streams of a windowed program: --help, --version, traces and errors go to the
// console the game was started from, or wherever they were redirected; a game started from
// Explorer or the Start menu has neither, and tells its errors in a message box.
#pragma once

#include <string>
#include <vector>

namespace kx {

// Connects standard output and standard error to the starting program's console where they were
// not redirected, and puts all three standard streams in binary mode: "\n" is written as it is,
// never as "\r\n", so traces and recordings are the same bytes on every system. Returns whether
// anyone can read standard error.
bool connect_standard_streams();

// An error in a message box, for a player with no console to read it in.
void show_error_box(const std::string& text);

// The command line's arguments, without the program's name, as UTF-8.
std::vector<std::string> utf8_arguments(int argc, wchar_t** argv);

// UTF-8 to UTF-16 and back, for Windows' own calls.
std::wstring utf16(const std::string& utf8);
std::string utf8(const std::wstring& utf16);

}  // namespace kx
