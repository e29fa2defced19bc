// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/termination_signals.h"

#include <QCoreApplication>
#include <QSocketNotifier>

#include <signal.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace {

// The one socket pair of the process: [0] written by the handler, [1] read by the loop.
int g_signalSockets[2] = {-1, -1};

extern "C" void WriteSignalByte(int) {
    const int savedErrno = errno;
    const char byte = 1;
    [[maybe_unused]] ssize_t written = ::write(g_signalSockets[0], &byte, 1);
    errno = savedErrno;
}

bool SetHandler(int signalNumber, void (*handler)(int)) {
    struct sigaction action = {};
    action.sa_handler = handler;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    return ::sigaction(signalNumber, &action, nullptr) == 0;
}

}  // namespace

TerminationSignals::TerminationSignals(QObject* parent) : QObject(parent) {}

TerminationSignals::~TerminationSignals() {
    if (!m_bInstalled) return;
    SetHandler(SIGTERM, SIG_DFL);
    SetHandler(SIGINT, SIG_DFL);
    delete m_pNotifier;
    ::close(g_signalSockets[0]);
    ::close(g_signalSockets[1]);
    g_signalSockets[0] = g_signalSockets[1] = -1;
}

bool TerminationSignals::Install() {
    if (m_bInstalled) return true;
    if (g_signalSockets[0] != -1) return false;  // another instance owns the pair
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_signalSockets) != 0) {
        g_signalSockets[0] = g_signalSockets[1] = -1;
        return false;
    }
    m_pNotifier = new QSocketNotifier(g_signalSockets[1], QSocketNotifier::Read, this);
    connect(m_pNotifier, &QSocketNotifier::activated, this, &TerminationSignals::OnSignalByte);
    if (!SetHandler(SIGTERM, WriteSignalByte) || !SetHandler(SIGINT, WriteSignalByte)) {
        SetHandler(SIGTERM, SIG_DFL);
        SetHandler(SIGINT, SIG_DFL);
        delete m_pNotifier;
        m_pNotifier = nullptr;
        ::close(g_signalSockets[0]);
        ::close(g_signalSockets[1]);
        g_signalSockets[0] = g_signalSockets[1] = -1;
        return false;
    }
    m_bInstalled = true;
    return true;
}

void TerminationSignals::OnSignalByte() {
    char byte;
    [[maybe_unused]] ssize_t received = ::read(g_signalSockets[1], &byte, 1);
    QCoreApplication::quit();
}
