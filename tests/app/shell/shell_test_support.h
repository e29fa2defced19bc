// SPDX-License-Identifier: GPL-3.0-or-later
// What the desktop program's test programs share: a settings store of the test program's
// own, so that tests running at the same time never see each other's settings, empty files
// to open, and tables of rows for QtTest.
#pragma once

#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "app/shell/shell_identity.h"

// Keeps the settings in `folder` from now on.
inline void UseSettingsIn(const QTemporaryDir& folder) {
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, folder.path());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, folder.path());
}

// Forgets every setting: the next start is a first start.
inline void ClearSettings() {
    QSettings(QString::fromLatin1(shell::kOrganisationName),
              QString::fromLatin1(shell::kApplicationName))
        .clear();
}

// Makes the empty file `name` in `folder`; its path.
inline QString EmptyFile(const QTemporaryDir& folder, const QString& name) {
    QFile file(folder.filePath(name));
    return file.open(QIODevice::WriteOnly) ? file.fileName() : QString();
}

// A data column "row" holding each of `rows`, named by its label.
template <typename Row, size_t N>
void AddRows(const Row (&rows)[N]) {
    QTest::addColumn<Row>("row");
    for (const Row& row : rows) QTest::newRow(row.label) << row;
}
