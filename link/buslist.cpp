#include "link/buslist.h"

#include "link/moduletable.h"

#include <hidapi/hidapi.h>

namespace orlo {

QVector<ListedModule> listModules()
{
    QVector<ListedModule> found;
    hid_device_info *bus = hid_enumerate(kVendorId, 0);
    for (const hid_device_info *d = bus; d; d = d->next) {
        if (!d->path || !findModule(d->product_id))
            continue;
        hid_device *device = hid_open_path(d->path);
        found.append({d->product_id, device != nullptr});
        if (device)
            hid_close(device);
    }
    hid_free_enumeration(bus);
    return found;
}

} // namespace orlo
