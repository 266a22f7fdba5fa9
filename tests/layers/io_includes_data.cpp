// The right way down: the files layer uses the data layer and the platform interfaces.
#include "data/enemy_block.h"
#include "platform/file.h"
