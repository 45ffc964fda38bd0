#include "ui/app_state.h"

AppState g_app;
