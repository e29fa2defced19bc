// SPDX-License-Identifier: GPL-3.0-or-later
// Ends the event loop cleanly on SIGTERM and SIGINT: the signal handler only writes a byte
// to a socket pair, and the event loop reads it and quits, so that the program leaves
// through its ordinary end (windows closed, document destroyed) with exit status 0.
#pragma once

#include <QObject>

class QSocketNotifier;

class TerminationSignals : public QObject {
  public:
    explicit TerminationSignals(QObject* parent = nullptr);
    ~TerminationSignals() override;

    // Installs the handlers; false if the socket pair or a handler could not be set up
    // (the signals then keep their default action).
    bool Install();

  private:
    void OnSignalByte();

    QSocketNotifier* m_pNotifier = nullptr;
    bool m_bInstalled = false;
};
