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
    "Ctrl+S saves, Ctrl+P prints. F1 shows this help.</p>"
    "<p><b>Mouse.</b> Drag the globe to turn it. A click on the globe picks your place "
    "(a small mark); the details list then shows what is seen there: the contacts in "
    "universal time with the Sun's altitude, the magnitude, the obscuration and the "
    "duration. A click beside the globe forgets the place. <b>View, Next (Previous) "
    "Eclipse Visible Here</b> steps like &gt;&gt; (&lt;&lt;) to the eclipses seen from "
    "the place.</p>"
    "<p><b>View, Precise</b> draws the eclipse again from modern theories of the Sun and "
    "the Moon, in red: the central line, the path of the total or annular phase (filled), "
    "its limits, the limits of the partial phase, the sunrise and sunset curves and the "
    "path's outline every 10 minutes, with the point of greatest eclipse ringed; the "
    "details list adds the greatest eclipse (UT), its place, the path's width and the "
    "duration there.</p>";

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
