// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/image_export.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgGenerator>
#include <cstdio>
#include <cstdlib>

#include "platform/output_file.h"
#include "platform/qt/painter_dc.h"

namespace {

// Qt's own notes and warnings (about the session's runtime folder, say) mean nothing to
// the user of a command-line program, whose errors are reported by the caller; only
// Qt's critical and fatal messages get through.
void QuietMessages(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", qFormatLogMessage(type, context, text).toLocal8Bit().data());
}

// Fonts need a Qt application object; a command-line program has none of its own. Make
// one on the offscreen platform when there is no display to talk to. It lives until the
// program ends.
void EnsureApplication() {
    if (QCoreApplication::instance() != nullptr) return;
    qInstallMessageHandler(QuietMessages);
    if (std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr &&
        std::getenv("QT_QPA_PLATFORM") == nullptr)
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static int argc = 1;
    static char name[] = "velmor";
    static char* argv[] = {name, nullptr};
    static QGuiApplication* app = new QGuiApplication(argc, argv);
    (void)app;
}

}  // namespace

bool IsPictureFileName(const std::string& path) {
    const QString suffix = QFileInfo(QString::fromStdString(path)).suffix().toLower();
    return suffix == QLatin1String("png") || suffix == QLatin1String("svg");
}

bool RenderToImageFile(const std::string& path, int width, int height,
                       const std::function<void(CDC&)>& draw, std::string& error) {
    const QString suffix = QFileInfo(QString::fromStdString(path)).suffix().toLower();
    if (!IsPictureFileName(path)) {
        error = "cannot write '" + path + "': the file name must end in .png or .svg";
        return false;
    }
    if (width < 1 || height < 1) {
        error = "cannot write '" + path + "': empty picture";
        return false;
    }
    EnsureApplication();

    // The picture is made in memory and written whole.
    QByteArray bytes;
    QBuffer out(&bytes);
    out.open(QIODevice::WriteOnly);
    bool drawn = false;
    if (suffix == QLatin1String("png")) {
        QImage image(width, height, QImage::Format_RGB32);
        PaintThroughDC(image, Qt::white, nullptr, draw);
        drawn = image.save(&out, "PNG");
    } else {
        QSvgGenerator svg;
        svg.setOutputDevice(&out);
        svg.setSize(QSize(width, height));
        svg.setViewBox(QRect(0, 0, width, height));
        svg.setResolution(96);
        svg.setTitle(QStringLiteral("Velmor map"));
        PaintThroughDC(svg, Qt::white, nullptr, draw);
        drawn = true;
    }
    if (!drawn) {
        error = "cannot write '" + path + "': the picture could not be encoded";
        return false;
    }
    return platform::WriteFileWhole(path, bytes.toStdString(), error);
}
