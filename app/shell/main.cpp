// The desktop program: a widget application for an ordinary start, a core application
// without any window system for a start as a server, and CVelmorApp on top.
#include <QApplication>
#include <QCoreApplication>

#include <memory>

#include "app/shell/command_line.h"
#include "app/shell/termination_signals.h"
#include "app/shell/velmor_app.h"
#include "platform/qt/vector_state.h"

int main(int argc, char** argv) {
    std::unique_ptr<QCoreApplication> qt;
    if (HasServerSwitch(argc, argv)) {
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
        if (app.InitInstance()) status = qt->exec();
    }
    return status;
}
