// Wrong way: the page hands bytes to the core and reads no file itself.
#include "io/image_file.h"
