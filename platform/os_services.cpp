#include "platform/os_services.h"

#include "platform/installed.h"

namespace {
Installed<OsServices> installed("OS services");
}

OsServices& osServices() { return installed.get(); }

OsServices* installOsServices(OsServices* services) { return installed.install(services); }
