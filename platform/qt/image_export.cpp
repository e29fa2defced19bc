#include "platform/qt/image_export.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSaveFile>
#include <QSvgGenerator>
#include <cstdio>
#include <cstdlib>

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

void Draw(QPaintDevice& device, int width, int height, const std::function<void(CDC&)>& draw,
          bool fillBackground) {
    QPainter painter(&device);
    if (fillBackground) painter.fillRect(0, 0, width, height, Qt::white);
    {
        PainterDC dc(painter);
        draw(dc);
    }
    painter.end();
}

}  // namespace

bool RenderToImageFile(const std::string& path, int width, int height,
                       const std::function<void(CDC&)>& draw, std::string& error) {
    QString file = QString::fromStdString(path);
    QString suffix = QFileInfo(file).suffix().toLower();
    if (suffix != QLatin1String("png") && suffix != QLatin1String("svg")) {
        error = "cannot write " + path + ": the file name must end in .png or .svg";
        return false;
    }
    if (width < 1 || height < 1) {
        error = "cannot write " + path + ": empty picture";
        return false;
    }
    EnsureApplication();

    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) {
        error = "cannot write " + path + ": " + out.errorString().toStdString();
        return false;
    }
    bool drawn = false;
    if (suffix == QLatin1String("png")) {
        QImage image(width, height, QImage::Format_RGB32);
        Draw(image, width, height, draw, true);
        drawn = image.save(&out, "PNG");
    } else {
        QSvgGenerator svg;
        svg.setOutputDevice(&out);
        svg.setSize(QSize(width, height));
        svg.setViewBox(QRect(0, 0, width, height));
        svg.setResolution(96);
        svg.setTitle(QStringLiteral("Velmor map"));
        Draw(svg, width, height, draw, true);
        drawn = out.error() == QFileDevice::NoError;
    }
    if (!drawn) {
        out.cancelWriting();
        error = "cannot write " + path + ": " + out.errorString().toStdString();
        return false;
    }
    if (!out.commit()) {
        error = "cannot write " + path + ": " + out.errorString().toStdString();
        return false;
    }
    return true;
}
