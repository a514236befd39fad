// Standard streams for a GUI-subsystem program (which Windows starts without a console), the
// error box, and UTF-16 strings.
#include "windows/win_console.h"

#include <fcntl.h>
#include <io.h>
#include <windows.h>

#include <cstdio>

namespace kx {
namespace {

// A handle that leads somewhere: a file, a pipe or a console the starting program passed on.
bool given(DWORD which) {
    const HANDLE h = GetStdHandle(which);
    return h != nullptr && h != INVALID_HANDLE_VALUE && GetFileType(h) != FILE_TYPE_UNKNOWN;
}

}  // namespace

bool connect_standard_streams() {
    const bool out_given = given(STD_OUTPUT_HANDLE), err_given = given(STD_ERROR_HANDLE);
    bool console = false;
    if ((!out_given || !err_given) && AttachConsole(ATTACH_PARENT_PROCESS)) {
        console = true;
        // The C library found no stream at start: it opens the console's.
        if (!out_given) std::freopen("CONOUT$", "w", stdout);
        if (!err_given) std::freopen("CONOUT$", "w", stderr);
        SetConsoleOutputCP(CP_UTF8);
    }
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    return console || err_given;
}

void show_error_box(const std::string& text) {
    MessageBoxW(nullptr, utf16(text).c_str(), L"kippura-x", MB_OK | MB_ICONERROR | MB_SETFOREGROUND);
}

std::vector<std::string> utf8_arguments(int argc, wchar_t** argv) {
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(utf8(argv[i]));
    return args;
}

std::wstring utf16(const std::string& utf8) {
    if (utf8.empty()) return {};
    const int n = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), nullptr, 0);
    std::wstring out(std::size_t(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), int(utf8.size()), out.data(), n);
    return out;
}

std::string utf8(const std::wstring& utf16) {
    if (utf16.empty()) return {};
    const int n = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), int(utf16.size()), nullptr, 0, nullptr, nullptr);
    std::string out(std::size_t(n), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), int(utf16.size()), out.data(), n, nullptr, nullptr);
    return out;
}

}  // namespace kx
