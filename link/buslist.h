// The family's modules on the bus, for a listing: opened and closed at once
// to learn whether this user may open them; nothing is sent to them.
#pragma once

#include <QVector>

namespace orlo {

struct ListedModule {
    int productId = 0;
    bool openable = false;    // false: hidraw refused it, the udev rule is missing
};

QVector<ListedModule> listModules();

} // namespace orlo
