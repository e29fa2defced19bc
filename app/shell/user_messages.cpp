// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/user_messages.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>

#include <cstdio>

#include "app/shell/shell_identity.h"

bool HasInteractiveDisplay() {
    if (qobject_cast<QApplication*>(QCoreApplication::instance()) == nullptr) return false;
    const QString platform = QGuiApplication::platformName();
    return platform != QLatin1String("offscreen") && platform != QLatin1String("minimal");
}

void ReportError(QWidget* parent, const QString& message) {
    std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
    std::fflush(stderr);
    if (HasInteractiveDisplay()) {
        QMessageBox::warning(parent, QString::fromLatin1(shell::kApplicationName), message);
    }
}

void ShowFatalMessage(const char* message) {
    if (!HasInteractiveDisplay()) return;
    QMessageBox::critical(nullptr, QString::fromLatin1(shell::kApplicationName),
                          QString::fromLocal8Bit(message));
}
