#include "app/application.h"

#include "app/maker.h"

#include <QCoreApplication>
#include <hidapi/hidapi.h>

static void initResources()
{
    // The images live in the static library: register them explicitly.
    Q_INIT_RESOURCE(resources);
}

namespace orlo {

void initApplication(QCoreApplication &app)
{
    initResources();
    app.setOrganizationName(QString::fromLatin1(maker::kOrganisationName));
    app.setOrganizationDomain(QString::fromLatin1(maker::kOrganisationDomain));
    app.setApplicationName(QString::fromLatin1(maker::kApplicationName));
    hid_init();
}

} // namespace orlo
