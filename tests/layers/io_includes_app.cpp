// Wrong way: the files layer may not use the editor above it.
#include "app/editor_controller.h"
