// Wrong way: the conversions work on bytes in memory, never on files.
#include "io/image_file.h"
