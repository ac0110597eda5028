#include "platform/linux/quit_signals.h"

#include <QSocketNotifier>

#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

namespace tavlo {
namespace {

int signalPipe[2] = {-1, -1};

// Only an async-signal-safe write happens in the handler itself, and the
// errno of the code it interrupted is left as it was.
void onSignal(int)
{
    const int interruptedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] const auto written = ::write(signalPipe[1], &byte, 1);
    errno = interruptedErrno;
}

}  // namespace

QuitSignals::QuitSignals()
{
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0, signalPipe) != 0)
        return;
    notifier_ = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier_, &QSocketNotifier::activated, this, [this] {
        char byte = 0;
        while (::read(signalPipe[0], &byte, 1) > 0) {}
        emit quitRequested();
    });
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        ::sigaction(signal, &action, nullptr);
}

bool QuitSignals::pending() const
{
    char byte = 0;
    return signalPipe[0] >= 0 && ::read(signalPipe[0], &byte, 1) > 0;
}

QuitSignals::~QuitSignals()
{
    for (const int signal : {SIGTERM, SIGINT, SIGHUP})
        std::signal(signal, SIG_DFL);
    for (int& fd : signalPipe) {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
}

std::unique_ptr<EndRequestWatch> watchEndRequests(std::function<void()> quit)
{
    auto watch = std::make_unique<QuitSignals>();
    QObject::connect(watch.get(), &QuitSignals::quitRequested, watch.get(), std::move(quit));
    return watch;
}

}  // namespace tavlo
