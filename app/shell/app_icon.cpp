// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/app_icon.h"

#include <QDirIterator>

namespace shell {

QIcon ApplicationIcon() {
    QIcon icon;
    QDirIterator entries(QStringLiteral(":/velmor-icon"), {QStringLiteral("*.png")}, QDir::Files,
                         QDirIterator::Subdirectories);
    while (entries.hasNext()) icon.addFile(entries.next());
    return icon;
}

}  // namespace shell
