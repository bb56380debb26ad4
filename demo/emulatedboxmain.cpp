#include "emulation/emulatedstandalonebox.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace {

// A box with a configured Kelvo in its field and two log entries, answering at the line's speed.
void prepareBox(EmulatedStandaloneBox& box)
{
    box.tag().fillWithPlausibleValues();
    std::array<quint32, EmulatedKelvoTag::blockCount> blocks{};
    for (quint16 block = 0; block < EmulatedKelvoTag::blockCount; ++block)
        blocks[block] = box.tag().block(block);
    const quint32 firstOfJanuary2024 = 441763200;
    box.appendLogEntry(EmulatedStandaloneBox::logEntry(firstOfJanuary2024, 0, blocks));
    box.appendLogEntry(EmulatedStandaloneBox::logEntry(firstOfJanuary2024 + 3600, 1, blocks));
}

// Opens a pseudo-terminal and returns its master; slave is the slave's own descriptor, kept open
// and raw so that the master never sees a hang-up and nothing is echoed.
int openTerminal(int& slave, QByteArray& slaveName)
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0)
        return -1;
    slaveName = ptsname(master);
    slave = open(slaveName.constData(), O_RDWR | O_NOCTTY);
    termios settings{};
    if (slave < 0 || tcgetattr(slave, &settings) != 0)
        return -1;
    cfmakeraw(&settings);
    tcsetattr(slave, TCSANOW, &settings);
    return master;
}

// Points link at the terminal. An earlier link is replaced in one step, so that a tool looking
// through it finds either the old terminal or the new one; anything at that path that is not a
// symbolic link is left alone and refused.
bool linkTerminal(const QByteArray& link, const QByteArray& terminal)
{
    struct stat existing;
    if (lstat(link.constData(), &existing) == 0 && !S_ISLNK(existing.st_mode)) {
        std::fprintf(stderr, "%s exists and is not a symbolic link: not replaced\n",
                     link.constData());
        return false;
    }
    const QByteArray fresh = link + ".new" + QByteArray::number(getpid());
    if (symlink(terminal.constData(), fresh.constData()) != 0 ||
        rename(fresh.constData(), link.constData()) != 0) {
        std::fprintf(stderr, "cannot link %s: %s\n", link.constData(), std::strerror(errno));
        unlink(fresh.constData());
        return false;
    }
    return true;
}

// Hands every byte from the line to the box and every byte of its answers back to the line.
void serve(EmulatedStandaloneBox& box, int master)
{
    D2xxLibrary::Handle handle = nullptr;
    box.open(0, handle);
    pollfd watched{master, POLLIN, 0};
    while (poll(&watched, 1, -1) > 0) {
        char request[256];
        const ssize_t count = read(master, request, sizeof request);
        if (count <= 0)
            return;
        std::uint32_t done = 0;
        box.write(handle, request, static_cast<std::uint32_t>(count), done);
        std::uint32_t waiting = 0;
        box.queueStatus(handle, waiting);
        QByteArray answer(static_cast<int>(waiting), '\0');
        box.read(handle, answer.data(), waiting, done);
        if (write(master, answer.constData(), done) != static_cast<ssize_t>(done))
            return;
    }
}

} // namespace

// An emulated Standalone Box behind a pseudo-terminal, for trying the tool's serial-port backend
// without a box. It prints the terminal's path, to be given to the tool as KELVOCONF_BOX_PORT,
// and serves until it is stopped. The terminal's path changes at every start; with --link PATH it
// also keeps a symbolic link at PATH to the current terminal, so that a tool started on PATH
// finds the box again after the program restarts, as a real box plugged back in.
int main(int argc, char* argv[])
{
    QByteArray link;
    if (argc == 3 && std::strcmp(argv[1], "--link") == 0) {
        link = argv[2];
    } else if (argc != 1) {
        std::fprintf(stderr, "usage: %s [--link PATH]\n", argv[0]);
        return 2;
    }
    int slave = -1;
    QByteArray slaveName;
    const int master = openTerminal(slave, slaveName);
    if (master < 0) {
        std::fprintf(stderr, "cannot open a pseudo-terminal\n");
        return 1;
    }
    if (!link.isEmpty() && !linkTerminal(link, slaveName))
        return 1;
    EmulatedStandaloneBox box;
    prepareBox(box);
    box.paceAt(115200);
    std::printf("%s\n", slaveName.constData());
    std::fflush(stdout);
    serve(box, master);
    return 0;
}
