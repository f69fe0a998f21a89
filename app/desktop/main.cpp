// Orbicle, the desktop program's entry point.
#include <wx/app.h>

#include "app/desktop/OrbicleApp.h"

wxIMPLEMENT_APP(OrbicleApp);
