// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/shell/help_window.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace {

const char kHelpText[] =
    "<h3>Velmor</h3>"
    "<p>Velmor finds solar eclipses and draws them on a globe of the Earth.</p>"
    "<p><b>Date bar.</b> Type the year and choose the month, day, hour, minute and second. "
    "The date and time are taken as dynamical time (TD).</p>"
    "<p><b>&lt;&lt;</b> steps to the previous solar eclipse, <b>&gt;&gt;</b> to the next. "
    "The date bar then shows the instant of the eclipse found, so pressing the same button "
    "again walks on to the following one.</p>"
    "<p><b>Details list</b> (left): the date and the time (TD) of the eclipse, UT - TD in "
    "seconds, its type and, for a partial eclipse, its magnitude.</p>"
    "<p><b>Map</b> (right): the globe first faces the point where the Sun stands overhead "
    "at the eclipse. Green lines: the central line (solid), the limits of magnitude 0 to "
    "0.8 and of the central phase (dotted), the curves where the eclipse is seen at sunrise "
    "or sunset (solid), and an outline across the shadow every half hour, labelled with its "
    "time.</p>"
    "<p><b>Keys.</b> Left and Right turn the globe by 30 degrees of longitude, Up and Down "
    "by 15 degrees of latitude (also in the View menu), from anywhere in the window. F6 "
    "moves between the list and the map. Ctrl+N starts a new document, Ctrl+O opens one, "
    "Ctrl+S saves, Ctrl+P prints. F1 shows this help.</p>";

}  // namespace

QDialog* CreateHelpWindow(QWidget* parent) {
    auto* window = new QDialog(parent);
    window->setObjectName(QStringLiteral("HelpWindow"));
    window->setWindowTitle(QStringLiteral("Velmor Help"));
    window->setModal(false);

    auto* text = new QLabel(QString::fromUtf8(kHelpText), window);
    text->setObjectName(QStringLiteral("HelpText"));
    text->setWordWrap(true);
    text->setTextFormat(Qt::RichText);
    text->setMinimumWidth(420);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, window);
    QObject::connect(buttons, &QDialogButtonBox::rejected, window, &QDialog::hide);

    auto* layout = new QVBoxLayout(window);
    layout->addWidget(text);
    layout->addWidget(buttons);
    return window;
}
