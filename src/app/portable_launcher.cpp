// The portable build's `kippura-x`: starts the game (libexec/kippura-x beside it) when the system
// has the libraries the game needs. When one is missing, the dynamic loader would refuse the game
// with a line about a shared object; this says which library it is and which package brings it,
// on stderr, and in a box too when started from a desktop's menu (a display, but no terminal).
// It needs only the C library itself.
#include <dlfcn.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/portable_start.h"

extern char** environ;

namespace {

bool set(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

// The first of the desktops' dialog programs that is there shows the line; none: no box.
void show_box(const std::string& line) {
    const std::string text = "--text=" + line;
    const std::vector<std::vector<const char*>> dialogs{
        {"zenity", "--error", "--title=kippura-x", "--no-markup", text.c_str()},
        {"kdialog", "--title", "kippura-x", "--error", line.c_str()},
        {"xmessage", "-center", line.c_str()},
    };
    for (auto command : dialogs) {
        command.push_back(nullptr);
        pid_t pid = 0;
        if (posix_spawnp(&pid, command[0], nullptr, nullptr, const_cast<char* const*>(command.data()), environ) != 0)
            continue;
        int status = 0;
        while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {}
        if (WIFEXITED(status) && WEXITSTATUS(status) != 127) return;
    }
}

std::string own_path() {
    char path[PATH_MAX];
    const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return {};
    return std::string(path, static_cast<std::size_t>(n));
}

}  // namespace

int main(int, char** argv) {
    std::vector<kx::SystemLibrary> missing;
    for (const auto& library : kx::portable_game_libraries()) {
        void* handle = dlopen(library.file, RTLD_LAZY | RTLD_LOCAL);
        if (handle) {
            dlclose(handle);
        } else {
            missing.push_back(library);
        }
    }
    if (!missing.empty()) {
        const std::string line = kx::missing_libraries_message(missing);
        std::fprintf(stderr, "%s\n", line.c_str());
        if ((set("DISPLAY") || set("WAYLAND_DISPLAY")) && !isatty(STDERR_FILENO)) show_box(line);
        return 1;
    }
    const std::string game = kx::game_beside(own_path());
    if (!game.empty()) execv(game.c_str(), argv);
    std::fprintf(stderr, "kippura-x: cannot start the game %s: %s\n", game.empty() ? "(no path)" : game.c_str(),
                 std::strerror(errno));
    return 1;
}
