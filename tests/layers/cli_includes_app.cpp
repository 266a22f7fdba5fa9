// Wrong way: the command and the window are two front ends; neither uses the other.
#include "app/editor_controller.h"
