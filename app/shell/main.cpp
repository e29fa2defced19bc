// SPDX-License-Identifier: GPL-3.0-or-later
// The desktop program: a widget application for an ordinary start, a core application
// without any window system for a start as a server and for the switches that only
// register, print a text or are refused, and CVelmorApp on top.
#include <QApplication>
#include <QCoreApplication>

#include <memory>

#include "app/shell/command_line.h"
#include "app/shell/termination_signals.h"
#include "app/shell/velmor_app.h"
#include "platform/qt/vector_state.h"

int main(int argc, char** argv) {
    std::unique_ptr<QCoreApplication> qt;
    // Serving, registering, the texts and the refusal of bad arguments need no display.
    if (ParseCommandLine(argc, argv).NeedsNoWindowSystem()) {
        qt = std::make_unique<QCoreApplication>(argc, argv);
    } else {
        qt = std::make_unique<QApplication>(argc, argv);
    }
    // Starting Qt leaves the vector registers in a state that slows the map's arithmetic.
    platform::ClearVectorUpperState();
    TerminationSignals termination;
    termination.Install();

    int status = 1;
    {
        CVelmorApp app;
        status = app.InitInstance() ? qt->exec() : app.GetExitCode();
    }
    return status;
}
