#include "app/application.h"

#include "app/language.h"
#include "link/maker.h"
#include "link/qtcompat.h"

#include <QDirIterator>
#include <QGuiApplication>
#include <QHash>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <hidapi/hidapi.h>

static void initResources()
{
    // The images live in the static library: register them explicitly.
    Q_INIT_RESOURCE(resources);
    Q_INIT_RESOURCE(translations);
}

namespace orlo {

void enableHighDpi()
{
    qtcompat::enableHighDpiScaling();
}

void initApplication(QCoreApplication &app)
{
    initResources();
    app.setOrganizationName(QString::fromLatin1(maker::kOrganisationName));
    app.setOrganizationDomain(QString::fromLatin1(maker::kOrganisationDomain));
    app.setApplicationName(QString::fromLatin1(maker::kApplicationName));
    QGuiApplication::setDesktopFileName(QString::fromLatin1(maker::kDesktopEntryId));
    useLanguage(startLanguage());
    hid_init();
}

void useSharpImages(QWidget *form)
{
    if (qApp->devicePixelRatio() <= 1.0)
        return;
    // Every resource image drawn at twice the resolution, by the image it sharpens.
    static const QHash<QString, QString> sharper = [] {
        QHash<QString, QString> variants;
        static const QLatin1String mark("@2x");
        for (QDirIterator it(QStringLiteral(":/"), QDir::Files, QDirIterator::Subdirectories); it.hasNext();) {
            const QString path = it.next();
            const int at = path.lastIndexOf(mark);
            if (at > 0)
                variants.insert(QString(path).remove(at, mark.size()), path);
        }
        return variants;
    }();
    // The form only left the pixmap, not where it came from: it is known by
    // its pixels.
    QHash<QString, QImage> images;
    for (QLabel *label : form->findChildren<QLabel *>()) {
        const QPixmap shown = label->pixmap(Qt::ReturnByValue);
        if (shown.isNull() || shown.devicePixelRatio() > 1.0)
            continue;
        const QImage pixels = shown.toImage();
        for (auto it = sharper.cbegin(); it != sharper.cend(); ++it) {
            auto image = images.find(it.key());
            if (image == images.end())
                image = images.insert(it.key(), QPixmap(it.key()).toImage());
            if (*image == pixels) {
                QPixmap sharp(it.value());
                sharp.setDevicePixelRatio(2.0);
                label->setPixmap(sharp);
                break;
            }
        }
    }
}

} // namespace orlo
