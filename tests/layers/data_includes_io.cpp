// Wrong way: the data layer stands on nothing of the program.
#include "io/image_file.h"
