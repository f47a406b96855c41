#include "CloseOnSignal.h"

#include <QSocketNotifier>
#include <QWidget>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int kSignals[] = {SIGTERM, SIGINT, SIGHUP};
int wakeUp[2] = {-1, -1}; // the handler writes, the event loop reads

// Only async-signal-safe calls here: the window is closed from the event
// loop once it sees the byte.
void NoteSignal(int) {
    const int saved = errno;
    const char byte = 1;
    [[maybe_unused]] const ssize_t written = write(wakeUp[1], &byte, 1);
    errno = saved;
}

void SetHandlers(void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (int signal : kSignals)
        sigaction(signal, &action, nullptr);
}

} // namespace

CloseOnSignal::CloseOnSignal(QWidget& window) : window_(window) {
    if (pipe2(wakeUp, O_CLOEXEC | O_NONBLOCK) != 0)
        return; // the signals keep their default effect
    notifier_ = new QSocketNotifier(wakeUp[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, &CloseOnSignal::CloseWindow);
    SetHandlers(NoteSignal);
}

CloseOnSignal::~CloseOnSignal() {
    if (!notifier_)
        return;
    SetHandlers(SIG_DFL);
    delete notifier_;
    close(wakeUp[0]);
    close(wakeUp[1]);
    wakeUp[0] = wakeUp[1] = -1;
}

void CloseOnSignal::CloseWindow() {
    char bytes[16];
    while (read(wakeUp[0], bytes, sizeof bytes) > 0) {
    }
    window_.close();
}
